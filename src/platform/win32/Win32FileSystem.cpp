#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "platform/UniqueHandle.h"
#include "platform/win32/WideText.h"

namespace tavlo::platform::win32 {

namespace {

struct FindTraits {
    using type = HANDLE;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { FindClose(h); }
};
using UniqueFind = UniqueHandle<FindTraits>;

bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool isDriveAbsolute(const std::wstring& p) { return p.size() >= 3 && isLetter(p[0]) && p[1] == L':' && p[2] == L'\\'; }
bool isUnc(const std::wstring& p) { return p.size() > 2 && p[0] == L'\\' && p[1] == L'\\'; }

// Reads a text from a call that fills a buffer and answers the length it
// wrote, or the size it needs (terminating zero included) when the buffer is short.
template <class Call>
std::wstring readGrowing(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, L'\0');
    }
}

std::wstring systemFullPath(const std::wstring& path) {
    return readGrowing([&](wchar_t* buf, DWORD size) { return GetFullPathNameW(path.c_str(), size, buf, nullptr); });
}

// Resolves "." and ".." and drops empty components; the names are left alone.
// The first `keep` components (a UNC path's server and share) stay.
std::wstring joinComponents(const std::wstring& root, const std::wstring& rest, std::size_t keep) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) end = rest.size();
        const std::wstring part = rest.substr(start, end - start);
        if (part == L"..") {
            if (parts.size() > keep) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::wstring out = root;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? L"\\" : L"") + parts[i];
    return out;
}

bool isDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == 0) || (name[0] == L'.' && name[1] == L'.' && name[2] == 0);
}

DirEntry entryOf(const WIN32_FIND_DATAW& data) {
    DirEntry e;
    e.name = narrow(data.cFileName);
    e.attributes = data.dwFileAttributes;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        e.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return e;
}

HANDLE findFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    return FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
}

std::string withoutTrailingSlash(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return narrow(folder);
}

}  // namespace

std::wstring extendedPath(const std::string& path) {
    std::wstring w = widen(path);
    std::replace(w.begin(), w.end(), L'/', L'\\');
    if (w.rfind(L"\\\\?\\", 0) == 0 || w.rfind(L"\\\\.\\", 0) == 0) return w;
    if (w.size() == 2 && isLetter(w[0]) && w[1] == L':') w += L'\\';  // "E:" is the drive's root
    if (!isDriveAbsolute(w) && !isUnc(w)) w = systemFullPath(w);
    if (isDriveAbsolute(w)) return joinComponents(L"\\\\?\\" + w.substr(0, 3), w.substr(3), 0);
    if (isUnc(w)) return joinComponents(L"\\\\?\\UNC\\", w.substr(2), 2);
    return w;  // the system could not complete it; let the call fail on it
}

std::string errorText(std::uint32_t code) {
    if (code == 0) return {};
    wchar_t buffer[1024];
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                   buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    std::wstring text(buffer, n);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text.empty() ? "Error " + std::to_string(code) : narrow(text);
}

bool Win32FileSystem::failed() {
    lastError_ = GetLastError();
    return false;
}

DriveType Win32FileSystem::driveType(const std::string& root) {
    std::wstring w = widen(root);
    std::replace(w.begin(), w.end(), L'/', L'\\');
    if (w.empty()) return DriveType::NoRootDir;
    if (w.back() != L'\\') w += L'\\';
    return static_cast<DriveType>(GetDriveTypeW(w.c_str()));
}

std::optional<std::vector<DirEntry>> Win32FileSystem::list(const std::string& folder) {
    std::wstring pattern = extendedPath(folder);
    if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    UniqueFind find(findFirst(pattern, data));
    if (!find) {
        failed();
        // An empty drive root has not even "." and "..".
        if (lastError_ == ERROR_FILE_NOT_FOUND && existsFolder(folder)) return std::vector<DirEntry>{};
        return std::nullopt;
    }
    std::vector<DirEntry> entries;
    do {
        if (!isDotEntry(data.cFileName)) entries.push_back(entryOf(data));
    } while (FindNextFileW(find.get(), &data));
    // A read that broke off (a stick pulled meanwhile) is no complete list.
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        failed();
        return std::nullopt;
    }
    return entries;
}

bool Win32FileSystem::existsNormal(const std::string& path) {
    WIN32_FIND_DATAW data;
    UniqueFind find(findFirst(extendedPath(path), data));
    if (!find) return false;
    constexpr DWORD notNormal = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    do {
        if (!(data.dwFileAttributes & notNormal)) return true;
    } while (FindNextFileW(find.get(), &data));
    return false;
}

bool Win32FileSystem::existsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(extendedPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::resetAttributes(const std::string& path) {
    return SetFileAttributesW(extendedPath(path).c_str(), FILE_ATTRIBUTE_NORMAL) || failed();
}

bool Win32FileSystem::remove(const std::string& path) {
    return DeleteFileW(extendedPath(path).c_str()) || failed();
}

std::string Win32FileSystem::lastError() { return errorText(lastError_); }

std::string Win32FileSystem::systemFolder() {
    return withoutTrailingSlash(readGrowing([](wchar_t* buf, DWORD size) { return GetSystemDirectoryW(buf, size); }));
}

std::string Win32FileSystem::programFolder() {
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD n = 0;
    // The call cuts a long name to the buffer and answers the buffer's size.
    while ((n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) == buffer.size() &&
           buffer.size() < 0x10000) {
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(n);
    const auto cut = buffer.find_last_of(L'\\');
    if (cut == std::wstring::npos) return narrow(buffer);
    buffer.resize(cut);
    if (buffer.size() == 2 && buffer[1] == L':') buffer += L'\\';  // a program at a drive's root
    return narrow(buffer);
}

std::string Win32FileSystem::currentFolder() {
    return narrow(readGrowing([](wchar_t* buf, DWORD size) { return GetCurrentDirectoryW(size, buf); }));
}

std::string Win32FileSystem::fullPath(const std::string& path) {
    if (path.empty()) return {};
    return narrow(systemFullPath(widen(path)));
}

std::vector<std::string> Win32FileSystem::drives() {
    const std::wstring all = readGrowing([](wchar_t* buf, DWORD size) { return GetLogicalDriveStringsW(size, buf); });
    std::vector<std::string> letters;
    std::size_t i = 0;
    while (i < all.size() && all[i] != L'\0') {
        letters.push_back(std::string(1, static_cast<char>(all[i] | 0x20)) + ":");  // "C:\" as "c:"
        const std::size_t end = all.find(L'\0', i);
        if (end == std::wstring::npos) break;
        i = end + 1;
    }
    return letters;
}

}  // namespace tavlo::platform::win32
