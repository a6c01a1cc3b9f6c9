// The filter for typed text on any input: no crash; the caller's text is the
// input without its outer blanks; the result is that text without the six
// characters ' " & < > ~, in order, and holds none of them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Store.h"
#include "fuzz/FuzzCheck.h"

using namespace tavlo;
using fuzz::shown;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string text = input;
    const std::string result = core::StripSpecialChars(text);

    const std::size_t lead = input.find_first_not_of(' ');
    const std::string trimmed =
        lead == std::string::npos ? std::string{} : input.substr(lead, input.find_last_not_of(' ') - lead + 1);
    FUZZ_CHECK(text == trimmed, "caller's text %s is not the trimmed input %s", shown(text).c_str(),
               shown(input).c_str());
    FUZZ_CHECK(result.find_first_of("'\"&<>~") == std::string::npos, "result %s keeps a special character",
               shown(result).c_str());
    // The result is the trimmed text with exactly the special characters left out.
    std::size_t at = 0;
    for (char c : trimmed) {
        if (std::string("'\"&<>~").find(c) != std::string::npos) continue;
        FUZZ_CHECK(at < result.size() && result[at] == c, "result %s is not %s filtered", shown(result).c_str(),
                   shown(trimmed).c_str());
        ++at;
    }
    FUZZ_CHECK(at == result.size(), "result %s is longer than %s filtered", shown(result).c_str(),
               shown(trimmed).c_str());
    return 0;
}
