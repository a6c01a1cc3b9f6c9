// Text conversions at the edge of the system's wide-character calls. The
// program's texts are UTF-8; the system's are UTF-16. Lone surrogates are
// kept (WTF-8, see platform/Utf.h), so a name read from the system always
// names the same file when handed back.
#pragma once

#include <string>
#include <string_view>

namespace tavlo::platform::win32 {

// UTF-8 (or WTF-8) to UTF-16; a byte that starts no valid sequence becomes U+FFFD.
std::wstring widen(std::string_view utf8);

// UTF-16 to UTF-8; lone surrogates are kept (WTF-8).
std::string narrow(std::wstring_view utf16);

// UTF-8 to the 8-bit text of the system's ANSI code page (what the ...A calls
// take); characters the code page lacks become its default character.
std::string toAnsi(std::string_view utf8);

}  // namespace tavlo::platform::win32
