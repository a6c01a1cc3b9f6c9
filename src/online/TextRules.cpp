#include "online/TextRules.h"

namespace tavlo::online {

namespace {

// The length of the sequence that a lead byte of two to four bytes starts, or
// 0 for any other byte, which counts as one character by itself.
std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::size_t CharCount(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const std::size_t n = sequenceLength(static_cast<unsigned char>(text[i]));
        bool whole = n > 0 && i + n <= text.size();
        for (std::size_t k = 1; whole && k < n; ++k) whole = continuation(static_cast<unsigned char>(text[i + k]));
        i += whole ? n : 1;
    }
    return count;
}

std::string UpperCase(std::string text) {
    for (char& ch : text) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return text;
}

std::string LowerCase(std::string text) {
    for (char& ch : text) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return text;
}

}  // namespace tavlo::online
