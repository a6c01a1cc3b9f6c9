// Text checks shared by the results grid actions and the ignore list window:
// the width of the ign table's path column, drive-style paths, and the
// apostrophe that never goes into an ignore-list query. Texts are UTF-8 and
// lengths and positions count characters, not bytes.
#pragma once

#include <string>

namespace tavlo::scanner {

// The widest path the ign table holds.
inline constexpr int kIgnorePathMax = 255;

// The number of characters of a UTF-8 text.
int CharCount(const std::string& text);
// True when the path has more characters than the ign table holds.
bool TooLongForIgnoreList(const std::string& path);
// True when characters 2 and 3 are ":\" (any first character passes).
bool IsDriveStylePath(const std::string& path);
bool HoldsApostrophe(const std::string& path);
// The text without leading and trailing blanks (spaces only).
std::string TrimBlanks(const std::string& text);

}  // namespace tavlo::scanner
