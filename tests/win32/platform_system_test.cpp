// The registry, environment, version, tray and system-menu services on the
// real system (under Wine with the null display driver: windows, no tray).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace tavlo::platform::win32 {
namespace {

constexpr char kRunKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// Test programs run side by side: each writes a value of its own.
TEST(Registry, RunValueIsAnsiTextWithItsZeroAndMissingKeysAreNotMade) {
    const std::string name = "TavloTest-" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string value = "C:\\Program Files\\Tavlo\\Tavlo.exe";
    Win32Registry registry;
    Handle key = 0;
    ASSERT_EQ(registry.open(Registry::LocalMachine, kRunKey, 0x3F, key), 0);
    EXPECT_EQ(registry.setString(key, name, value), 0);
    EXPECT_EQ(registry.close(key), 0);
    EXPECT_EQ(registry.close(key), ERROR_INVALID_HANDLE);
    char data[256] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, kRunKey, name.c_str(), RRF_RT_ANY, &type, data, &size), 0);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(data, size), value + '\0');
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, name.c_str());
    const std::string missing = "SOFTWARE\\TavloTestNoSuchKey\\Below";
    EXPECT_EQ(registry.open(Registry::LocalMachine, missing, 0x3F, key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.open(Registry::LocalMachine, missing, 0x3F, key), ERROR_FILE_NOT_FOUND);
}

TEST(Environment, VariablesOfAnyLengthAndText) {
    Win32Environment env;
    const std::string longValue(5000, 'v');
    SetEnvironmentVariableW(L"TAVLO_TEST_TEXT", L"\u03A9\u8D44");
    SetEnvironmentVariableW(L"TAVLO_TEST_LONG", widen(longValue).c_str());
    EXPECT_EQ(env.variable("TAVLO_TEST_TEXT"), "\xCE\xA9\xE8\xB5\x84");
    EXPECT_EQ(env.variable("TAVLO_TEST_LONG"), longValue);
    EXPECT_EQ(env.variable("TAVLO_TEST_NOT_SET"), "");
}

// A copy of this test program stamped with file version 1.4.7.9.
TEST(Version, IsMajorMinorAndRevisionOfTheFilesVersionBlock) {
    wchar_t temp[MAX_PATH + 1], self[MAX_PATH];
    GetTempPathW(MAX_PATH + 1, temp);
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring copy = std::wstring(temp) + L"tavlo-version-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
    EXPECT_EQ(fileVersion(narrow(copy)).major, 0);  // no version block yet
    VS_FIXEDFILEINFO fixed{0xFEEF04BD, 0x00010000, 0x00010004, 0x00070009, 0x00010004, 0x00070009};
    const wchar_t key[] = L"VS_VERSION_INFO";
    const std::size_t at = (6 + sizeof key + 3) & ~std::size_t(3);  // header, key, 32-bit alignment
    std::vector<unsigned char> block(at + sizeof fixed, 0);
    const WORD header[3] = {static_cast<WORD>(block.size()), static_cast<WORD>(sizeof fixed), 0};
    std::memcpy(block.data(), header, sizeof header);
    std::memcpy(block.data() + 6, key, sizeof key);
    std::memcpy(block.data() + at, &fixed, sizeof fixed);
    HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
    ASSERT_TRUE(UpdateResourceW(update, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), 0x0409, block.data(),
                                static_cast<DWORD>(block.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    const rt::Version v = fileVersion(narrow(copy));
    DeleteFileW(copy.c_str());
    EXPECT_EQ(v.major * 10000 + v.minor * 100 + v.revision, 10407);
}

// Without a notification area (the null display driver) the calls fail and
// nothing else happens; the tray itself is tried under Xvfb.
TEST(Tray, CallsFailQuietlyWithoutANotificationAreaAndTheTipIsCut) {
    Win32Tray tray;
    TrayIconData data;
    data.id = 1;
    data.flags = 7;
    data.callbackMessage = 0x200;
    for (auto message : {Tray::Add, Tray::Modify, Tray::Delete}) EXPECT_FALSE(tray.notify(message, data));
    const struct {
        std::string tip, shown;
    } rows[] = {{"Tavlo", "Tavlo"}, {std::string(63, 'a'), std::string(63, 'a')}, {std::string(70, 'b'), std::string(63, 'b')}};
    for (const auto& row : rows) {
        const auto field = trayTip(row.tip);
        EXPECT_EQ(std::string(field.data(), 64), row.shown + std::string(64 - row.shown.size(), '\0'));
    }
}

// The menu runs its own loop; a timer of this thread acts in it.
HWND menuOwner = nullptr;

void CALLBACK pickMove(HWND, UINT, UINT_PTR id, DWORD) {  // Restore is greyed: down twice is Move
    KillTimer(nullptr, id);
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageW(menuOwner, WM_KEYDOWN, key, 0);
}

void CALLBACK closeMenu(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    EndMenu();
}

TEST(SystemMenu, PostsTheChosenCommandAndNothingWhenClosed) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"TavloPlatformTest";
    RegisterClassW(&wc);
    menuOwner = CreateWindowExW(0, wc.lpszClassName, L"test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(menuOwner, nullptr);
    Win32Windows windows;
    MSG msg;
    for (TIMERPROC act : {pickMove, closeMenu}) {
        SetTimer(nullptr, 0, 100, act);
        windows.trackSystemMenu(reinterpret_cast<Handle>(menuOwner), Point{20, 20});
        const bool posted = PeekMessageW(&msg, menuOwner, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE);
        EXPECT_EQ(posted, act == pickMove);
        EXPECT_EQ(posted ? msg.wParam & 0xFFF0 : SC_MOVE, static_cast<WPARAM>(SC_MOVE));
    }
    DestroyWindow(menuOwner);
}

}  // namespace
}  // namespace tavlo::platform::win32
