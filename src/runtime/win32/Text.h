// The model keeps text in UTF-8; the system's wide calls take UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace tavlo::rt::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
// The text of a window, as UTF-8.
std::string windowText(HWND hwnd);

}  // namespace tavlo::rt::win32
