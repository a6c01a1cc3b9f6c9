#include "platform/win32/WideText.h"

#include <windows.h>

#include "platform/Utf.h"

namespace tavlo::platform::win32 {

std::wstring widen(std::string_view utf8) {
    const std::u16string wide = toUtf16(std::string(utf8), Surrogates::Keep);
    return std::wstring(wide.begin(), wide.end());
}

std::string narrow(std::wstring_view utf16) {
    return toUtf8(std::u16string(utf16.begin(), utf16.end()), Surrogates::Keep);
}

std::string toAnsi(std::string_view utf8) {
    const std::wstring wide = widen(utf8);
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace tavlo::platform::win32
