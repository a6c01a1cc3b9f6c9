#include "scanner/IgnorePaths.h"

namespace tavlo::scanner {

namespace {
bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

int CharCount(const std::string& text) {
    int n = 0;
    for (char c : text) {
        if (!continuationByte(c)) ++n;
    }
    return n;
}

bool TooLongForIgnoreList(const std::string& path) { return CharCount(path) > kIgnorePathMax; }

// Skips the first character, whatever its width, then looks at the next two.
bool IsDriveStylePath(const std::string& path) {
    if (path.empty()) return false;
    std::size_t i = 1;
    while (i < path.size() && continuationByte(path[i])) ++i;
    return path.compare(i, 2, ":\\") == 0;
}

bool HoldsApostrophe(const std::string& path) { return path.find('\'') != std::string::npos; }

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace tavlo::scanner
