#include "platform/win32/Win32Services.h"

#include <windows.h>

#include <vector>

#include "platform/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace tavlo::platform::win32 {

namespace {

struct LibraryTraits {
    using type = HMODULE;
    static type invalid() { return nullptr; }
    static void close(type h) { FreeLibrary(h); }
};

// version.dll is loaded when asked for, so the program needs no import of it.
struct VersionCalls {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

    UniqueHandle<LibraryTraits> library{LoadLibraryW(L"version.dll")};
    SizeFn size = find<SizeFn>("GetFileVersionInfoSizeW");
    InfoFn info = find<InfoFn>("GetFileVersionInfoW");
    QueryFn query = find<QueryFn>("VerQueryValueW");

    template <class Fn>
    Fn find(const char* name) const {
        if (!library) return nullptr;
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library.get(), name)));
    }
    explicit operator bool() const { return size && info && query; }
};

std::wstring modulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) == buffer.size() &&
           buffer.size() < 0x10000) {
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(n);
    return buffer;
}

rt::Version versionOf(const std::wstring& path) {
    const VersionCalls calls;
    if (!calls) return {};
    DWORD ignored = 0;
    const DWORD size = calls.size(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<unsigned char> block(size);
    if (!calls.info(path.c_str(), 0, size, block.data())) return {};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!calls.query(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    return rt::Version{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS)};
}

}  // namespace

rt::Version fileVersion(const std::string& path) { return versionOf(widen(path)); }

rt::Version Win32System::version() const { return versionOf(modulePath()); }

std::unique_ptr<Win32System> makeWin32System() { return std::make_unique<Win32System>(); }

}  // namespace tavlo::platform::win32
