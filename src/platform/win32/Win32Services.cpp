#include "platform/win32/Win32Services.h"

#include <windows.h>

#include "runtime/win32/Text.h"

namespace tavlo::platform::win32 {

namespace {

using rt::win32::narrow;
using rt::win32::widen;

class Files : public FileSystem {
public:
    DriveType driveType(const std::string& root) override {
        std::string r = root.substr(0, 2) + "\\";
        return static_cast<DriveType>(GetDriveTypeW(widen(r).c_str()));
    }
    std::optional<std::vector<DirEntry>> list(const std::string& folder) override {
        WIN32_FIND_DATAW fd;
        const std::string pattern = folder + (folder.ends_with("\\") ? "*" : "\\*");
        HANDLE h = FindFirstFileW(widen(pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return std::nullopt;
        std::vector<DirEntry> out;
        do {
            const std::wstring n = fd.cFileName;
            if (n == L"." || n == L"..") continue;
            out.push_back({narrow(n), (std::uint64_t(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow, fd.dwFileAttributes});
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        return out;
    }
    bool existsNormal(const std::string&) override { return false; }
    bool existsFolder(const std::string& path) override {
        const DWORD a = GetFileAttributesW(widen(path).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool resetAttributes(const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
    std::string lastError() override { return {}; }
    std::string systemFolder() override { return "C:\\windows\\system32"; }
    std::string programFolder() override { return "C:\\"; }
    std::string currentFolder() override { return "C:\\"; }
    std::vector<std::string> drives() override {
        std::vector<std::string> out;
        const DWORD mask = GetLogicalDrives();
        for (int i = 0; i < 26; ++i) {
            if (mask & (1u << i)) out.push_back(std::string(1, char('a' + i)) + ":");
        }
        return out;
    }
};

struct Nothing : Registry, Http, Shell, Tray, Windows, Process, Environment {
    long open(std::uint32_t, const std::string&, std::uint32_t, Handle&) override { return 2; }
    long setString(Handle, const std::string&, const std::string&) override { return 6; }
    long close(Handle) override { return 0; }
    std::optional<std::string> get(const std::string&, int) override { return std::nullopt; }
    void open(const std::string&) override {}
    bool notify(Message, const TrayIconData&) override { return false; }
    bool setWindowPos(Handle, Handle, int, int, int, int, unsigned) override { return false; }
    Handle setParent(Handle, Handle) override { return 0; }
    long getWindowLong(Handle, int) override { return 0; }
    long setWindowLong(Handle, int, long) override { return 0; }
    bool setLayeredAttributes(Handle, std::uint32_t, int, std::uint32_t) override { return false; }
    bool releaseCapture() override { return ReleaseCapture() != 0; }
    long sendMessage(Handle h, unsigned m, std::uintptr_t w, std::intptr_t l) override {
        return static_cast<long>(SendMessageW(reinterpret_cast<HWND>(h), m, w, l));
    }
    Point cursorPos() override { return {}; }
    void trackSystemMenu(Handle, Point) override {}
    [[noreturn]] void end(int code) override { ExitProcess(static_cast<UINT>(code)); }
    std::string variable(const std::string&) override { return {}; }
    std::string driverPath(const std::string& p) override { return p; }
};

}  // namespace

struct Win32System::Parts {
    Files files;
    Nothing nothing;
};

Win32System::Win32System()
    : parts(std::make_unique<Parts>()),
      services{parts->files, parts->nothing, parts->nothing, parts->nothing, parts->nothing, parts->nothing,
               parts->nothing, parts->nothing} {}

Win32System::~Win32System() = default;

rt::Version Win32System::version() const { return {1, 0, 0}; }

std::unique_ptr<Win32System> makeWin32System() { return std::make_unique<Win32System>(); }

}  // namespace tavlo::platform::win32
