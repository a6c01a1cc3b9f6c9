// The value cipher against its arithmetic on Windows-1252: character i (from 1) moves by key character (i mod length)
// + 1 of the upper-cased key, modulo 256; deciphering gives the text back. Input: key length (5 bits), key, text.
#include <cstdint>

#include "core/Store.h"
#include "fuzz/FuzzCheck.h"

using namespace tavlo;

namespace {

const char16_t kWindows1252From0x80[] = u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ";

std::string utf8(const std::string& ansi) {
    std::string out;
    for (unsigned char b : ansi) {
        const unsigned c = b >= 0x80 && b < 0xA0 ? kWindows1252From0x80[b - 0x80] : b;
        if (c >= 0x800) out += static_cast<char>(0xE0 | c >> 12);
        if (c >= 0x80) out += static_cast<char>(c >= 0x800 ? 0x80 | (c >> 6 & 0x3F) : 0xC0 | c >> 6);
        out += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
    }
    return out;
}

unsigned char upper(unsigned char b) {
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return b - 0x20;
    return b == 0x9A || b == 0x9C || b == 0x9E ? b - 0x10 : b == 0xFF ? 0x9F : b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string key = input.substr(0, data[0] & 0x1F), text = input.substr(key.size());
    std::string expected = text;
    for (std::size_t i = 0; i < text.size() && !key.empty(); ++i)
        expected[i] = static_cast<char>(static_cast<unsigned char>(text[i]) + upper(key[(i + 1) % key.size()]));
    const std::string encoded = core::EncodeValue(utf8(text), utf8(key)), shown = fuzz::shown(text);
    FUZZ_CHECK(encoded == utf8(expected), "%s under key %s", shown.c_str(), fuzz::shown(key).c_str());
    FUZZ_CHECK(core::DecodeValue(encoded, utf8(key)) == utf8(text), "%s did not come back", shown.c_str());
    return 0;
}
