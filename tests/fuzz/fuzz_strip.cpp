// StripSpecialChars on any bytes against a filter written here: the caller's
// text loses its outer blanks, and the result is that text without the six
// marks ' " & < > ~ (every other byte, a zero byte included, stays in order).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Store.h"
#include "fuzz/FuzzCheck.h"

using tavlo::fuzz::shown;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t first = 0, end = size;
    while (first < end && input[first] == ' ') ++first;
    while (end > first && input[end - 1] == ' ') --end;
    const std::string trimmed = input.substr(first, end - first);
    std::string expected;
    for (char c : trimmed) {
        if (std::string_view("'\"&<>~").find(c) == std::string_view::npos) expected += c;
    }
    std::string text = input;
    const std::string result = tavlo::core::StripSpecialChars(text);
    FUZZ_CHECK(text == trimmed, "caller's text %s, not %s", shown(text).c_str(), shown(trimmed).c_str());
    FUZZ_CHECK(result == expected, "result %s, not %s", shown(result).c_str(), shown(expected).c_str());
    return 0;
}
