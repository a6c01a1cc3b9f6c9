// Text rules of the online pages: lengths counted in characters, not bytes
// (texts are UTF-8), and the case changes of plain letters.
#pragma once

#include <cstddef>
#include <string>

namespace tavlo::online {

// The number of characters of a UTF-8 text; a byte that belongs to no valid
// sequence counts as one character.
std::size_t CharCount(const std::string& text);
// "a" to "z" become "A" to "Z"; every other byte stays.
std::string UpperCase(std::string text);
// "A" to "Z" become "a" to "z"; every other byte stays.
std::string LowerCase(std::string text);

}  // namespace tavlo::online
