// The value cipher on any text and any key: no crash, the character count
// is kept, the key's letter case does not matter, and deciphering gives the
// text back exactly (as the code page holds it: characters outside it read
// as "?" on the way in, as the store documents).
// Input: one byte choosing the key (its length, or the program's key when
// the high bit is set), the key's bytes, then the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Ansi.h"
#include "core/Store.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Utf.h"

using namespace tavlo;
using fuzz::shown;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    const unsigned choice = static_cast<unsigned char>(input[0]);
    std::string key, text;
    if (choice & 0x80) {
        key = core::kCipherKey;
        text = input.substr(1);
    } else {
        const std::size_t keyLength = std::min<std::size_t>(choice & 0x3F, size - 1);
        key = input.substr(1, keyLength);
        text = input.substr(1 + keyLength);
    }

    const std::string encoded = core::EncodeValue(text, key);
    const std::string decoded = core::DecodeValue(encoded, key);
    if (core::ToAnsi(key).empty()) {
        FUZZ_CHECK(encoded == text, "an empty key changed the text %s", shown(text).c_str());
        return 0;
    }
    const std::string asStored = core::FromAnsi(core::ToAnsi(text));
    FUZZ_CHECK(decoded == asStored, "round trip of %s under key %s gave %s", shown(asStored).c_str(),
               shown(key).c_str(), shown(decoded).c_str());
    FUZZ_CHECK(core::ToAnsi(encoded).size() == core::ToAnsi(text).size(), "character count changed for %s",
               shown(text).c_str());
    FUZZ_CHECK(platform::toUtf8(platform::toUtf16(encoded)) == encoded, "enciphered text is no valid UTF-8: %s",
               shown(encoded).c_str());
    FUZZ_CHECK(core::EncodeValue(text, fuzz::swapAsciiCase(key)) == encoded, "key case mattered for key %s",
               shown(key).c_str());
    return 0;
}
