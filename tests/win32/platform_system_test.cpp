// The registry, environment and tray services on the real system (under Wine
// with the null display driver: windows, but no notification area).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace tavlo::platform::win32 {
namespace {

// Test programs run side by side: each writes a value of its own.
TEST(Registry, RunValueIsAnsiTextWithItsZeroAndMissingKeysAreNotMade) {
    const char* run = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
    const std::string name = "TavloTest-" + std::to_string(GetCurrentProcessId()) + ".exe", value = "C:\\Tavlo.exe";
    Win32Registry registry;
    Handle key = 0;
    ASSERT_EQ(registry.open(Registry::LocalMachine, run, 0x3F, key), 0);
    EXPECT_EQ(registry.setString(key, name, value), 0);
    EXPECT_EQ(registry.close(key), 0);
    EXPECT_EQ(registry.close(key), ERROR_INVALID_HANDLE);
    char data[256] = {};
    DWORD type = 0, size = sizeof data;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, run, name.c_str(), RRF_RT_ANY, &type, data, &size), 0);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, run, name.c_str());
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(data, size), value + '\0');
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(registry.open(Registry::LocalMachine, "SOFTWARE\\TavloTestNoSuchKey\\Below", 0x3F, key), 2);
}

TEST(Environment, VariablesOfAnyLengthAndText) {
    Win32Environment env;
    SetEnvironmentVariableW(L"TAVLO_TEST_TEXT", L"\u03A9\u8D44");
    SetEnvironmentVariableW(L"TAVLO_TEST_LONG", std::wstring(5000, L'v').c_str());
    EXPECT_EQ(env.variable("TAVLO_TEST_TEXT"), "\xCE\xA9\xE8\xB5\x84");
    EXPECT_EQ(env.variable("TAVLO_TEST_LONG"), std::string(5000, 'v'));
    EXPECT_EQ(env.variable("TAVLO_TEST_NOT_SET"), "");
}

// Without a notification area the calls fail and nothing else happens (the
// tray itself is tried under Xvfb); the tip goes in cut to 63 bytes.
TEST(Tray, CallsFailQuietlyWithoutANotificationAreaAndTheTipIsCut) {
    Win32Tray tray;
    TrayIconData data;
    data.flags = 7;
    for (auto message : {Tray::Add, Tray::Modify, Tray::Delete}) EXPECT_FALSE(tray.notify(message, data));
    for (auto [tip, shown] : {std::pair{std::string("Tavlo"), std::string("Tavlo")},
                              {std::string(63, 'a'), std::string(63, 'a')}, {std::string(70, 'b'), std::string(63, 'b')}})
        EXPECT_EQ(std::string(trayTip(tip).data(), 64), shown + std::string(64 - shown.size(), '\0'));
}

}  // namespace
}  // namespace tavlo::platform::win32
