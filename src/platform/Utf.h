// UTF-8 <-> UTF-16 for the program's texts (UTF-8) where a system or driver
// interface takes wide characters.
#pragma once

#include <string>

namespace tavlo::platform {

// A malformed UTF-8 sequence reads as U+FFFD, one per bad byte.
std::u16string toUtf16(const std::string& utf8);
// A lone surrogate reads as U+FFFD.
std::string toUtf8(const std::u16string& utf16);

}  // namespace tavlo::platform
