// The value cipher on the ANSI code page, and the filter for typed text.
#include <array>

#include "core/Ansi.h"
#include "core/Store.h"
#include "platform/Utf.h"

namespace tavlo::core {

namespace {

// Windows-1252 bytes 0x80-0x9F; the rest of the page equals Latin-1. The five
// bytes the page leaves undefined map to the C1 control of the same number.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t toUnicode(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b; }

char toAnsiByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

// The additive cipher: each byte plus (or minus) the key byte at the
// position after it, cycling through the key. The position counter covers
// texts of any length.
std::string cipher(const std::string& text, const std::string& key, int sign) {
    const std::string k = AnsiUpper(ToAnsi(key));
    if (k.empty()) return text;
    const std::string bytes = ToAnsi(text);
    std::string out(bytes.size(), '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int t = static_cast<unsigned char>(bytes[i]);
        const int kc = static_cast<unsigned char>(k[(i + 1) % k.size()]);
        out[i] = static_cast<char>((t + sign * kc + 256) % 256);
    }
    return FromAnsi(out);
}

}  // namespace

std::string ToAnsi(const std::string& utf8) {
    const std::u16string wide = platform::toUtf16(utf8);
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        const char16_t c = wide[i];
        // A surrogate pair is one character, outside the page.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF)
            ++i;
        out += toAnsiByte(c);
    }
    return out;
}

std::string FromAnsi(const std::string& ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (char b : ansi) wide += toUnicode(static_cast<unsigned char>(b));
    return platform::toUtf8(wide);
}

std::string AnsiUpper(std::string ansi) {
    for (char& ch : ansi) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
            ch = static_cast<char>(b - 0x20);
        else if (b == 0x9A || b == 0x9C || b == 0x9E)  // s caron, oe, z caron
            ch = static_cast<char>(b - 0x10);
        else if (b == 0xFF)  // y diaeresis
            ch = static_cast<char>(0x9F);
    }
    return ansi;
}

std::string EncodeValue(const std::string& text, const std::string& key) { return cipher(text, key, +1); }

std::string DecodeValue(const std::string& text, const std::string& key) { return cipher(text, key, -1); }

std::string StripSpecialChars(std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    text = first == std::string::npos ? std::string{} : text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\'' && c != '"' && c != '&' && c != '<' && c != '>' && c != '~') out += c;
    }
    return out;
}

}  // namespace tavlo::core
