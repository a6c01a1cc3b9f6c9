// The walk both reference programs share: each folder listed once with
// FindFirstFileExW, its files examined (name, extension, size) before its
// subfolders are entered, depth first, as the scanner walks a stick.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace bench {

constexpr std::uint64_t kLargestExaminedFile = 1590000;

struct Entry {
    std::wstring name;
    std::uint64_t size = 0;
    bool folder = false;
};

struct Totals {
    long long examined = 0;
    long long risky = 0;
};

inline bool riskyName(const std::wstring& name) {
    if (_wcsicmp(name.c_str(), L"autorun.inf") == 0) return true;
    const auto dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return false;
    const wchar_t* ext = name.c_str() + dot + 1;
    return _wcsicmp(ext, L"exe") == 0 || _wcsicmp(ext, L"pif") == 0 || _wcsicmp(ext, L"com") == 0;
}

inline bool listFolder(const std::wstring& folder, std::vector<Entry>& out) {
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &d, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    do {
        if (d.cFileName[0] == L'.' && (!d.cFileName[1] || (d.cFileName[1] == L'.' && !d.cFileName[2]))) continue;
        Entry e;
        e.name = d.cFileName;
        e.folder = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        e.size = (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
        out.push_back(std::move(e));
    } while (FindNextFileW(h, &d));
    FindClose(h);
    return true;
}

// Walks the tree at `root` (e.g. L"R:"); `afterFile` runs after every examined file.
template <class AfterFile>
void walk(const std::wstring& root, Totals& totals, AfterFile&& afterFile) {
    std::vector<Entry> entries;
    if (!listFolder(L"\\\\?\\" + root, entries)) return;
    std::vector<std::wstring> subfolders;
    for (const Entry& e : entries) {
        if (e.folder) {
            subfolders.push_back(root + L"\\" + e.name);
            continue;
        }
        if (e.size > kLargestExaminedFile) continue;
        if (riskyName(e.name)) ++totals.risky;
        ++totals.examined;
        afterFile(totals);
    }
    for (const std::wstring& sub : subfolders) walk(sub, totals, afterFile);
}

inline double secondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, freq;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&freq);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

// "R:\" or "R:" as "R:", the walk's own form of a root.
inline std::wstring rootOf(const char* arg) {
    std::wstring w;
    for (const char* p = arg; *p; ++p) w += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    while (!w.empty() && (w.back() == L'\\' || w.back() == L'/')) w.pop_back();
    return w;
}

inline void report(const char* what, const Totals& t, double seconds) {
    std::printf("%s: examined %lld risky %lld seconds %.3f\n", what, t.examined, t.risky, seconds);
    std::fflush(stdout);
}

}  // namespace bench
