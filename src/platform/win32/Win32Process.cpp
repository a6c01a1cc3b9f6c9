#include "platform/win32/Win32Process.h"

#include <windows.h>

#include "platform/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace tavlo::platform::win32 {

namespace {

// A block of the process heap, as Wine hands out its host paths.
struct ProcessHeapTraits {
    using type = char*;
    static type invalid() { return nullptr; }
    static void close(type p) { HeapFree(GetProcessHeap(), 0, p); }
};

using UnixFileNameFn = char*(__cdecl*)(const wchar_t*);

UnixFileNameFn wineUnixFileName() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");  // loaded in every process; not ours to free
    if (!kernel) return nullptr;
    return reinterpret_cast<UnixFileNameFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "wine_get_unix_file_name")));
}

}  // namespace

void Win32Process::end(int code) { ExitProcess(static_cast<UINT>(code)); }

std::string Win32Environment::variable(const std::string& name) {
    const std::wstring wideName = widen(name);
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD n = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (n == 0) return {};  // not set, or set to ""
        if (n < value.size()) {
            value.resize(n);
            return narrow(value);
        }
        value.assign(n, L'\0');  // n counts the terminating zero here
    }
}

std::string Win32Environment::driverPath(const std::string& windowsPath) {
    const UnixFileNameFn toUnix = wineUnixFileName();
    if (!toUnix) return windowsPath;
    const UniqueHandle<ProcessHeapTraits> host(toUnix(widen(windowsPath).c_str()));
    return host ? std::string(host.get()) : windowsPath;
}

}  // namespace tavlo::platform::win32
