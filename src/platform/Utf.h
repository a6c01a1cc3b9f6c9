// UTF-8 <-> UTF-16 for the program's texts (UTF-8) where a system or driver
// interface takes wide characters.
#pragma once

#include <string>

namespace tavlo::platform {

// What a lone surrogate becomes. Text for a driver gets U+FFFD. A file name
// may hold one (nothing stops a stick from carrying it), so names keep it in
// the generalised form of UTF-8 (WTF-8): three bytes that come back unchanged,
// and a name read from the system always names the same file when handed back.
enum class Surrogates { Replace, Keep };

// A malformed UTF-8 sequence reads as U+FFFD, one per bad byte.
std::u16string toUtf16(const std::string& utf8, Surrogates surrogates = Surrogates::Replace);
std::string toUtf8(const std::u16string& utf16, Surrogates surrogates = Surrogates::Replace);

}  // namespace tavlo::platform
