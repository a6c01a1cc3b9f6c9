// The registry, environment, version, tray and window services on the real
// system (under Wine with the null display driver: windows exist, no tray).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace tavlo::platform::win32 {
namespace {

TEST(WideText, RoundTripsEveryNameIncludingLoneSurrogates) {
    const std::string names[] = {"plain.exe", "Ω资料.exe", "emoji \xF0\x9F\x98\x80.exe", "it's 100%.exe", ""};
    for (const std::string& name : names) EXPECT_EQ(narrow(widen(name)), name);
    EXPECT_EQ(widen("\xF0\x9F\x98\x80"), std::wstring({wchar_t(0xD83D), wchar_t(0xDE00)}));
    const std::wstring lone{L'a', wchar_t(0xD800), L'b', wchar_t(0xDC00)};
    EXPECT_EQ(widen(narrow(lone)), lone);
    // Bytes that start no sequence (a name of another code page) each become U+FFFD.
    EXPECT_EQ(widen("a\xFF\xC3"), std::wstring({L'a', wchar_t(0xFFFD), wchar_t(0xFFFD)}));
    EXPECT_EQ(widen("\xC0\xAF"), std::wstring({wchar_t(0xFFFD), wchar_t(0xFFFD)}));  // overlong "/"
}

constexpr char RunKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// Test programs run side by side: each writes a value of its own.
class RegistryTest : public ::testing::Test {
protected:
    const std::string valueName_ = "TavloTest-" + std::to_string(GetCurrentProcessId()) + ".exe";

    void TearDown() override {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, valueName_.c_str());
            RegCloseKey(key);
        }
    }
    Win32Registry registry_;
};

TEST_F(RegistryTest, RunValueIsWrittenAsAnsiTextWithItsZero) {
    Handle key = 0;
    ASSERT_EQ(registry_.open(Registry::LocalMachine, RunKey, 0x3F, key), 0);
    const std::string value = "C:\\Program Files\\Tavlo\\Tavlo.exe";
    EXPECT_EQ(registry_.setString(key, valueName_, value), 0);
    EXPECT_EQ(registry_.close(key), 0);

    HKEY check;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, RunKey, 0, KEY_QUERY_VALUE, &check), ERROR_SUCCESS);
    char data[256] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(check, valueName_.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size), 0);
    RegCloseKey(check);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, value.size() + 1);
    EXPECT_EQ(std::string(data), value);
}

TEST_F(RegistryTest, MissingKeyIsNotCreatedAndKeysCloseOnce) {
    Handle key = 0;
    const std::string missing = "SOFTWARE\\TavloTestNoSuchKey\\Below";
    EXPECT_EQ(registry_.open(Registry::LocalMachine, missing, 0x3F, key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry_.open(Registry::LocalMachine, missing, 0x3F, key), ERROR_FILE_NOT_FOUND);

    ASSERT_EQ(registry_.open(Registry::LocalMachine, RunKey, 0x3F, key), 0);
    EXPECT_EQ(registry_.close(key), 0);
    EXPECT_EQ(registry_.close(key), ERROR_INVALID_HANDLE);
}

TEST(Environment, VariablesOfAnyLengthAndText) {
    Win32Environment env;
    ASSERT_TRUE(SetEnvironmentVariableW(L"TAVLO_TEST_TEXT", widen("Ω资料").c_str()));
    EXPECT_EQ(env.variable("TAVLO_TEST_TEXT"), "Ω资料");
    const std::string longValue(5000, 'v');
    ASSERT_TRUE(SetEnvironmentVariableW(L"TAVLO_TEST_LONG", widen(longValue).c_str()));
    EXPECT_EQ(env.variable("TAVLO_TEST_LONG"), longValue);
    EXPECT_EQ(env.variable("TAVLO_TEST_NOT_SET"), "");
}

// Under Wine the driver's path is the host's path of the same file: mapping it
// back gives the Windows path again.
TEST(Environment, DriverPathIsTheHostPathOfTheFile) {
    Win32Environment env;
    Win32FileSystem files;
    const std::string windowsPath = files.systemFolder() + "\\pso.dat";
    const std::string host = env.driverPath(windowsPath);
    using ToDos = wchar_t*(__cdecl*)(const char*);
    const auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) {
        EXPECT_EQ(host, windowsPath);  // Windows: the path as it is
        return;
    }
    ASSERT_FALSE(host.empty());
    EXPECT_EQ(host[0], '/');
    EXPECT_EQ(host.substr(host.size() - 8), "/pso.dat");
    wchar_t* back = toDos(host.substr(0, host.size() - 8).c_str());  // the folder, which exists
    ASSERT_NE(back, nullptr);
    std::string folder = narrow(back);
    HeapFree(GetProcessHeap(), 0, back);
    if (folder.rfind("\\\\?\\", 0) == 0) folder.erase(0, 4);
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, folder.c_str(), -1, files.systemFolder().c_str(), -1),
              CSTR_EQUAL)
        << folder << " vs " << files.systemFolder();
}

// A copy of this test program given a version block of its own: file
// version 1.4.7.9 (FileVersionMS 0x00010004, FileVersionLS 0x00070009).
class VersionTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1], self[MAX_PATH];
        GetTempPathW(MAX_PATH + 1, temp);
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        copy_ = std::wstring(temp) + L"tavlo-version-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
        ASSERT_TRUE(CopyFileW(self, copy_.c_str(), FALSE));
    }
    void TearDown() override { DeleteFileW(copy_.c_str()); }

    static std::vector<unsigned char> versionBlock(DWORD ms, DWORD ls) {
        VS_FIXEDFILEINFO fixed{};
        fixed.dwSignature = 0xFEEF04BD;
        fixed.dwStrucVersion = 0x00010000;
        fixed.dwFileVersionMS = fixed.dwProductVersionMS = ms;
        fixed.dwFileVersionLS = fixed.dwProductVersionLS = ls;
        const wchar_t key[] = L"VS_VERSION_INFO";
        const std::size_t valueAt = (6 + sizeof key + 3) & ~std::size_t(3);  // header, key, 32-bit alignment
        std::vector<unsigned char> block(valueAt + sizeof fixed, 0);
        const WORD header[3] = {static_cast<WORD>(block.size()), static_cast<WORD>(sizeof fixed), 0};
        std::memcpy(block.data(), header, sizeof header);
        std::memcpy(block.data() + 6, key, sizeof key);
        std::memcpy(block.data() + valueAt, &fixed, sizeof fixed);
        return block;
    }
    bool stamp(DWORD ms, DWORD ls) {
        HANDLE update = BeginUpdateResourceW(copy_.c_str(), FALSE);
        if (!update) return false;
        auto block = versionBlock(ms, ls);
        const bool ok = UpdateResourceW(update, MAKEINTRESOURCEW(16) /* RT_VERSION */, MAKEINTRESOURCEW(VS_VERSION_INFO),
                                        MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), block.data(),
                                        static_cast<DWORD>(block.size()));
        return EndUpdateResourceW(update, !ok) && ok;
    }
    std::wstring copy_;
};

TEST_F(VersionTest, IsMajorMinorAndRevisionOfTheFileVersion) {
    EXPECT_EQ(fileVersion(narrow(copy_)).major, 0);  // no version block yet
    ASSERT_TRUE(stamp(0x00010004, 0x00070009));
    const rt::Version v = fileVersion(narrow(copy_));
    EXPECT_EQ(v.major, 1);
    EXPECT_EQ(v.minor, 4);
    EXPECT_EQ(v.revision, 7);
}

TEST_F(VersionTest, RunningProgramWithoutVersionBlockIsZero) {
    const rt::Version none = makeWin32System()->version();
    EXPECT_EQ(none.major, 0);
    EXPECT_EQ(none.minor, 0);
    EXPECT_EQ(none.revision, 0);
    EXPECT_EQ(fileVersion(narrow(copy_) + ".missing").major, 0);
}

// With the null display driver there is no notification area: the call fails
// and nothing else happens. The tray itself is checked under Xvfb.
TEST(TrayCalls, WithoutANotificationAreaTheCallsFailQuietly) {
    Win32Tray tray;
    TrayIconData data;
    data.id = 1;
    data.flags = 7;
    data.callbackMessage = 0x200;
    data.tip = std::string(70, 't');
    EXPECT_FALSE(tray.notify(Tray::Add, data));
    EXPECT_FALSE(tray.notify(Tray::Modify, data));
    EXPECT_FALSE(tray.notify(Tray::Delete, data));
}

TEST(TrayCalls, TipIsCutTo63BytesAndEndsWithZeros) {
    const auto shortTip = trayTip("Tavlo");
    EXPECT_EQ(std::string(shortTip.data()), "Tavlo");
    EXPECT_TRUE(std::all_of(shortTip.begin() + 5, shortTip.end(), [](char c) { return c == 0; }));
    const auto exact = trayTip(std::string(63, 'a'));
    EXPECT_EQ(std::string(exact.data()), std::string(63, 'a'));
    const auto longTip = trayTip(std::string(70, 'b'));
    EXPECT_EQ(std::string(longTip.data()), std::string(63, 'b'));
    EXPECT_EQ(longTip[63], 0);
}

// A real top-level window of a test class; destroyed at the end.
class WindowCallsTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TavloPlatformTest";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"test", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                  nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOWNORMAL);
    }
    void TearDown() override {
        if (child_) DestroyWindow(child_);
        DestroyWindow(window_);
    }
    Handle handle(HWND h) const { return reinterpret_cast<Handle>(h); }

    HWND window_ = nullptr;
    HWND child_ = nullptr;
    Win32Windows windows_;
};

TEST_F(WindowCallsTest, TranslucencyAndTopmostReachTheWindow) {
    const Handle h = handle(window_);
    const long exStyle = windows_.getWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED;
    windows_.setWindowLong(h, GWL_EXSTYLE, exStyle);
    EXPECT_TRUE(windows_.getWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED);
    ASSERT_TRUE(windows_.setLayeredAttributes(h, 1, 220, 3));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window_, &key, &alpha, &flags));
    EXPECT_EQ(key, 1u);
    EXPECT_EQ(alpha, 220);
    EXPECT_EQ(flags, 3u);

    EXPECT_TRUE(windows_.setWindowPos(h, static_cast<Handle>(-1), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_TRUE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(windows_.setWindowPos(h, static_cast<Handle>(-2), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_FALSE(GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowCallsTest, ParentAndMessagesReachTheWindow) {
    child_ = CreateWindowExW(0, L"TavloPlatformTest", L"child", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(child_, nullptr);
    windows_.setParent(handle(child_), handle(window_));
    EXPECT_EQ(GetAncestor(child_, GA_PARENT), window_);
    EXPECT_EQ(windows_.setParent(handle(child_), 0), handle(window_));

    EXPECT_EQ(windows_.sendMessage(handle(window_), WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>("moved")), TRUE);
    EXPECT_EQ(windows_.sendMessage(handle(window_), WM_GETTEXTLENGTH, 0, 0), 5);
    EXPECT_TRUE(windows_.releaseCapture());
    POINT p;
    GetCursorPos(&p);
    const Point at = windows_.cursorPos();
    EXPECT_EQ(at.x, p.x);
    EXPECT_EQ(at.y, p.y);
}

// The menu runs its own loop; a timer of this thread acts in it.
HWND menuOwner = nullptr;

void CALLBACK pickMove(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // The first item, Restore, is greyed on a normal window: the second is Move.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(menuOwner, WM_KEYDOWN, key, 0);
}

void CALLBACK closeMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(WindowCallsTest, SystemMenuPostsTheChosenCommand) {
    menuOwner = window_;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, pickMove);
    windows_.trackSystemMenu(handle(window_), Point{20, 20});
    KillTimer(nullptr, timer);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, window_, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam & 0xFFF0, static_cast<WPARAM>(SC_MOVE));
}

TEST_F(WindowCallsTest, SystemMenuClosedWithoutChoicePostsNothing) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, closeMenu);
    windows_.trackSystemMenu(handle(window_), Point{20, 20});
    KillTimer(nullptr, timer);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, window_, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
}

}  // namespace
}  // namespace tavlo::platform::win32
