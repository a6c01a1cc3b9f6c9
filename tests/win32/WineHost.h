// The host side of tests under Wine (host paths and commands, a folder of the
// test's own, files with attributes, drive letters given to host folders by
// Wine's mount manager) and the program on the real system services, its
// settings databases in a folder of the test.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"
#include "runtime/Headless.h"

namespace tavlo::wine_host {

using platform::win32::extendedPath;
using platform::win32::narrow;
using platform::win32::widen;

// The host's path of a Windows path under Wine; "" elsewhere.
inline std::string hostPath(const std::wstring& windowsPath) {
    using ToUnix = char*(__cdecl*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* host = toUnix ? toUnix(windowsPath.c_str()) : nullptr;
    const std::string path = host ? host : "";
    HeapFree(GetProcessHeap(), 0, host);
    return path;
}

inline std::string hostPath(const std::string& windowsPath) { return hostPath(extendedPath(windowsPath)); }

inline bool onDisk(const std::string& path) {
    return GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string tempPath(const std::string& name) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    return narrow(temp) + "tavlo-" + name + "-" + std::to_string(GetCurrentProcessId());
}

// Runs a host shell command and waits (at most `seconds`) for the end marker
// it writes: Wine starts host programs but does not wait for them.
inline bool runOnHost(const std::string& command, int seconds = 60) {
    static int count = 0;
    const std::string marker = tempPath("done") + "-" + std::to_string(++count);
    std::wstring line = widen("Z:\\bin\\sh -c \"" + command + " ; touch '" + hostPath(marker) + "'\"");
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < seconds * 40 && !onDisk(marker); ++i) Sleep(25);
    return DeleteFileW(extendedPath(marker).c_str()) != FALSE;
}

inline void makeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryW(extendedPath(path).c_str(), nullptr)) << path;
}

// A file of the size (sparse on the host) and attributes; or of the bytes.
inline void makeFile(const std::string& path, LONGLONG size = 0, DWORD attributes = 0, const std::string& bytes = {}) {
    HANDLE f = CreateFileW(extendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    const bool made = bytes.empty() ? SetFilePointerEx(f, LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN) &&
                                          SetEndOfFile(f)
                                    : WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_TRUE(made && (!attributes || SetFileAttributesW(extendedPath(path).c_str(), attributes))) << path;
}

// A fresh folder named after the test, removed with all it holds from the
// host side (a host link inside goes as a link, not as what it points at).
struct TempFolder {
    explicit TempFolder(const std::string& what)
        : path(tempPath(what) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
        CreateDirectoryW(extendedPath(path).c_str(), nullptr);
    }
    ~TempFolder() { runOnHost("rm -rf '" + hostPath(path) + "'"); }
    std::string operator/(const std::string& relative) const { return path + "\\" + relative; }
    const std::string path;
};

// A drive letter over a host folder, taken away again at the end (the
// definitions outlive the Wine server).
struct HostDrive {
    enum Type : ULONG { Removable = 2, Fixed = 3 };
    HostDrive(char letter, const std::string& hostFolder, Type type) : letter(letter) {
        plugged = define(type, hostFolder);
    }
    ~HostDrive() { pull(); }
    void pull() { plugged = plugged && !define(1, ""); }

    // A 32-byte request (size, type, letter, where the path starts), then the path.
    bool define(ULONG type, const std::string& hostFolder) const {
        std::vector<char> in(hostFolder.empty() ? 32 : 33 + hostFolder.size(), 0);
        const ULONG header[2] = {static_cast<ULONG>(in.size()), type};
        const WCHAR drive[2] = {static_cast<WCHAR>(letter | 0x20), static_cast<WCHAR>(hostFolder.empty() ? 0 : 32)};
        std::memcpy(in.data(), header, sizeof header);
        std::memcpy(in.data() + 24, drive, sizeof drive);
        hostFolder.copy(in.data() + 32, hostFolder.size());
        HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD got = 0;
        const BOOL ok = DeviceIoControl(manager, CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS),
                                        in.data(), static_cast<DWORD>(in.size()), nullptr, 0, &got, nullptr);
        CloseHandle(manager);
        return ok;
    }
    const char letter;
    bool plugged;
};

struct ProgramEnded {};

// The program with a headless user interface on the real system services,
// its system folder a folder of the test and its end kept from ending the test.
struct RealSystemTest : ::testing::Test {
    struct FilesInFolder : platform::win32::Win32FileSystem {
        std::string folder;
        std::string systemFolder() override { return folder; }
    };
    struct EndRecorder : platform::Process {
        [[noreturn]] void end(int) override { throw ProgramEnded{}; }
    };
    struct Program {
        rt::HeadlessUi ui;
        rt::ManualClock clock;
        rt::AppScope scope;
        explicit Program(platform::Services& s) : scope(ui, clock, s) {}
    };

    RealSystemTest() { files.folder = system.path; }
    // The settings and ignore databases, made as the installer makes them.
    void makeDatabases() {
        const std::string driver = real->env.variable("TAVLO_ODBC_DRIVER");
        ASSERT_FALSE(driver.empty()) << "the tests run with the SQLite3 driver";
        core::MakeSettingsDatabase(driver, real->env.driverPath(system / "pso.dat"));
        core::MakeIgnoreDatabase(driver, real->env.driverPath(system / "pro.dat"));
        core::CipherKey() = core::kCipherKey;
    }
    std::vector<std::string> messages() { return program->ui.prompts(); }

    TempFolder system{"system"};
    std::unique_ptr<platform::win32::Win32System> real = platform::win32::makeWin32System();
    FilesInFolder files;
    EndRecorder process;
    platform::Services services{files,      real->registry, real->http, real->shell,
                                real->tray, real->windows,  process,    real->env};
    std::unique_ptr<Program> program = std::make_unique<Program>(services);
};

}  // namespace tavlo::wine_host
