// The fixtures under Wine: the host side (paths, commands, folders, files with
// attributes, drives given by Wine's mount manager); the program on the real
// system services, headless, its databases in a folder of the test; and the
// program on the real Win32 user interface with a sample window of every kind
// of control and a closer for the boxes the null display driver leaves open.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"
#include "runtime/Headless.h"
#include "runtime/Timer.h"
#include "runtime/win32/Handles.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"

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
        const DWORD code = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        const BOOL ok =
            DeviceIoControl(manager, code, in.data(), static_cast<DWORD>(in.size()), nullptr, 0, &got, nullptr);
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

namespace tavlo::rt::win32::test {

struct SampleForm : Form {
    SampleForm() : Form("frmSample") {}
    std::vector<std::string> events;
    int ticks = 0;
    FormDesign formDesign() override {
        return {.caption = "Sample", .width = 7200, .height = 6000, .left = 1500, .top = 1200,
                .border = BorderStyle::Fixed};
    }
    Control& logged(ControlDesign d) {
        auto& c = add(d);
        c.onClick = [this, &c] { events.push_back(c.name() + ".Click=" + std::to_string(c.value())); };
        return c;
    }
    void buildControls() override {
        logged({.kind = Kind::Label, .name = "lblCount", .left = 150, .top = 300, .width = 1500, .height = 300,
                .text = "design"});
        add({.kind = Kind::TextBox, .name = "txtNo1", .left = 150, .top = 750, .width = 1500, .height = 315,
             .text = "Text1", .maxLength = 8})
            .onChange = [this] { events.push_back("Change=" + c("txtNo1").text()); };
        logged({.kind = Kind::Button, .name = "cmdGo", .left = 1800, .top = 300, .width = 1200, .height = 375});
        logged({.kind = Kind::CheckBox, .name = "chkA", .left = 1800, .top = 750, .width = 1500, .height = 255});
        logged({.kind = Kind::Option, .name = "OptB", .left = 3300, .top = 600, .width = 1200, .height = 255});
        add({.kind = Kind::Picture, .name = "picScan", .left = 150, .top = 1500, .width = 6000, .height = 3600});
        add({.kind = Kind::Label, .name = "lblIn", .container = "picScan", .left = 300, .top = 150, .width = 1200,
             .height = 240, .transparent = true});
        add({.kind = Kind::Line, .name = "linA", .container = "picScan"});
        addGrid({.name = "MsfInfectd", .container = "picScan", .left = 150, .top = 900, .width = 5400, .height = 2400});
        addTimer("tmrA", 10, false).onTimer = [this] { ++ticks; };
    }
};

// A top-level window of this process (other test programs show windows of
// the same class and title at the same time).
inline HWND findOwnWindow(const wchar_t* cls, const wchar_t* title, bool visible = true) {
    for (HWND h = FindWindowExW(nullptr, nullptr, cls, title); h; h = FindWindowExW(nullptr, h, cls, title)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && (!visible || IsWindowVisible(h))) return h;
    }
    return nullptr;
}

// Waits on its own thread (about 20 s at most) for a window of the class and
// title, and once ready(window) allows, keeps its text and presses a button.
class BoxCloser {
public:
    explicit BoxCloser(const wchar_t* title, int button = IDOK, std::function<bool(HWND)> ready = nullptr,
                       const wchar_t* cls = L"#32770")
        : thread_([=, this, desktop = GetThreadDesktop(GetCurrentThreadId())] {
              SetThreadDesktop(desktop);  // where the test's boxes show
              for (int i = 0; i < 2000 && !(stop_ && !findOwnWindow(cls, title)); ++i, Sleep(10)) {
                  HWND box = findOwnWindow(cls, title);
                  if (!box || (ready && !ready(box))) continue;
                  wchar_t buf[512] = {};
                  GetDlgItemTextW(box, 0xFFFF, buf, 512);
                  text_ = buf;
                  PostMessageW(box, WM_COMMAND, button, 0);
                  return;
              }
          }) {}
    ~BoxCloser() { text(); }
    // The text of the box it closed; empty when none came.
    std::wstring text() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return text_;
    }

private:
    std::wstring text_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A 32-bit bitmap to draw or copy into, selected into a memory device
// context, its pixels read row by row from the top.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        into_.emplace(dc_.get(), bitmap_.get());
    }
    HDC dc() const { return dc_.get(); }
    std::vector<DWORD> pixels() const {
        GdiFlush();
        return bits_ ? std::vector<DWORD>(bits_, bits_ + width_ * height_) : std::vector<DWORD>{};
    }

private:
    int width_, height_;
    UniqueDc dc_{CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap_;
    DWORD* bits_ = nullptr;
    std::optional<Selection> into_;
};

// A desktop of the test's own, for a test of where the keyboard goes: the
// tests running beside it take the foreground of theirs, not of this one.
struct OwnDesktop {
    OwnDesktop() {
        const std::wstring name = L"tavlo-keys-" + std::to_wstring(GetCurrentProcessId());
        own = CreateDesktopW(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        EXPECT_TRUE(own && SetThreadDesktop(own));
    }
    ~OwnDesktop() {
        EXPECT_TRUE(SetThreadDesktop(before)) << "the tests after this one would look for their boxes elsewhere";
        CloseDesktop(own);
    }
    HDESK before = GetThreadDesktop(GetCurrentThreadId()), own;
};

struct Win32Test : ::testing::Test {
    std::unique_ptr<platform::win32::Win32System> sys = platform::win32::makeWin32System();
    Win32Ui ui;
    Win32Clock clock;
    AppScope scope{ui, clock, sys->services};

    App& app() { return scope.app(); }
    SampleForm& form() { return app().instance<SampleForm>(); }
    static HWND hwnd(Handle h) { return reinterpret_cast<HWND>(h); }
    HWND hwndOf(const std::string& name) { return hwnd(form().c(name).hWnd()); }
    HWND formHwnd() { return hwnd(form().hWnd()); }
    static int px(Twips t) { return MulDiv(t, Scale::screen().dpi, 1440); }
    static Twips twips(int px) { return MulDiv(px, 1440, Scale::screen().dpi); }
    // The window's place in its parent's client area, in pixels.
    static RECT placeOf(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetAncestor(h, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static void click(HWND h, int x, int y, UINT down = WM_LBUTTONDOWN) {
        SendMessageW(h, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, down + 1, 0, MAKELPARAM(x, y));
    }
    // Stops the timers of a form: its loads, animations and countdowns stay
    // out of a test.
    static void stopTimers(Form& f) {
        for (auto& c : f.controls()) {
            if (auto* t = dynamic_cast<Timer*>(c.get())) t->setEnabled(false);
        }
    }
    // The same for every loaded form.
    void stopAllTimers() {
        for (Form* f : app().forms()) stopTimers(*f);
    }
    // Runs the window messages waiting, as the program's loop would, but no timer.
    static void pump() {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               PeekMessageW(&m, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE))
            DispatchMessageW(&m);
    }
};

}  // namespace tavlo::rt::win32::test
