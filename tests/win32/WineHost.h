// The host side of tests under Wine: the host's path of a Windows path,
// through Wine's own conversion.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Win32FileSystem.h"

namespace tavlo::wine_host {

// The host's path of a Windows path under Wine; "" elsewhere.
inline std::string hostPath(const std::wstring& windowsPath) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* host = toUnix(windowsPath.c_str());
    if (!host) return {};
    std::string path = host;
    HeapFree(GetProcessHeap(), 0, host);
    return path;
}

// The same for a UTF-8 path, given to Wine in its extended form.
inline std::string hostPath(const std::string& windowsPath) {
    return hostPath(platform::win32::extendedPath(windowsPath));
}

}  // namespace tavlo::wine_host
