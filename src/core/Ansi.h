// The system's ANSI code page, Windows-1252, for the program's texts (UTF-8):
// each character becomes one byte (its ANSI code) and back.
#pragma once

#include <string>

namespace tavlo::core {

// UTF-8 -> one byte per character. A character outside the code page, or a
// malformed byte, becomes "?".
std::string ToAnsi(const std::string& utf8);
// One byte per character -> UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+0081 ... as on Windows.
std::string FromAnsi(const std::string& ansi);
// Upper case of ANSI bytes as the code page has it (a-z, the accented
// letters, s/z/oe with caron or ligature, y with diaeresis).
std::string AnsiUpper(std::string ansi);

}  // namespace tavlo::core
