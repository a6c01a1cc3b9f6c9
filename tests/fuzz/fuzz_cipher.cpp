// The value cipher on any Windows-1252 text and key, against its arithmetic and
// the code page restated here: character i (from 1) moves by key character
// (i mod length) + 1 of the upper-cased key, modulo 256, and deciphering gives
// the text back. Input: the key's length (low 5 bits), the key, the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Store.h"
#include "fuzz/FuzzCheck.h"

namespace {

// Windows-1252 bytes 0x80-0x9F; the other bytes are Latin-1.
const char16_t kHigh[32] = {0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x160,
                            0x2039, 0x152,  0x8D,   0x17D,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                            0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};

std::string utf8(const std::string& ansi) {
    std::string out;
    for (unsigned char b : ansi) {
        const unsigned c = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b;
        if (c >= 0x800) out += static_cast<char>(0xE0 | c >> 12);
        if (c >= 0x80) out += static_cast<char>(c >= 0x800 ? 0x80 | (c >> 6 & 0x3F) : 0xC0 | c >> 6);
        out += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
    }
    return out;
}

unsigned char upper(unsigned char b) {
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return b - 0x20;
    if (b == 0x9A || b == 0x9C || b == 0x9E) return b - 0x10;
    return b == 0xFF ? 0x9F : b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string key = input.substr(0, data[0] & 0x1F), text = input.substr(key.size());
    std::string expected = text;
    for (std::size_t i = 0; i < text.size() && !key.empty(); ++i)
        expected[i] = static_cast<char>(static_cast<unsigned char>(text[i]) + upper(key[(i + 1) % key.size()]));
    const std::string encoded = tavlo::core::EncodeValue(utf8(text), utf8(key));
    FUZZ_CHECK(encoded == utf8(expected), "%s under key %s gave %s", tavlo::fuzz::shown(text).c_str(),
               tavlo::fuzz::shown(key).c_str(), tavlo::fuzz::shown(encoded).c_str());
    FUZZ_CHECK(tavlo::core::DecodeValue(encoded, utf8(key)) == utf8(text), "%s did not come back",
               tavlo::fuzz::shown(text).c_str());
    return 0;
}
