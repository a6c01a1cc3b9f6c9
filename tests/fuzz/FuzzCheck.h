// What the fuzz targets share: a check that stops the run with a message (a
// finding for libFuzzer, which then saves the input), and small text helpers.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition, ...)                                                  \
    do {                                                                            \
        if (!(condition)) {                                                         \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, \
                         #condition);                                               \
            std::fprintf(stderr, "  " __VA_ARGS__);                                 \
            std::fprintf(stderr, "\n");                                             \
            std::abort();                                                           \
        }                                                                           \
    } while (0)

namespace tavlo::fuzz {

// The text with every byte shown, for the messages of failed checks.
inline std::string shown(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// "a"-"z" and "A"-"Z" swapped; every other byte stays.
inline std::string swapAsciiCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace tavlo::fuzz
