// The tray icon's record and the shell's restart message on the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/Win32Desktop.h"
#include "watch/ShellIcon.h"

namespace tavlo::watch {
namespace {

// The icon's 64-character tip field (text, zero, blanks) reaches the shell
// as the text alone, never more than 63 bytes and always zero-terminated.
TEST(WatchTrayRecord, TipFieldReachesTheShellAsItsTextAlone) {
    const auto shortTip = platform::win32::trayTip(ShellIcon::tipField("Tavlo"));
    EXPECT_EQ(std::string(shortTip.data()), "Tavlo");
    EXPECT_TRUE(std::all_of(shortTip.begin() + 5, shortTip.end(), [](char c) { return c == 0; }));

    const auto full = platform::win32::trayTip(ShellIcon::tipField(std::string(63, 'a')));
    EXPECT_EQ(std::string(full.data()), std::string(63, 'a'));

    const auto cut = platform::win32::trayTip(ShellIcon::tipField(std::string(70, 'b')));
    EXPECT_EQ(std::string(cut.data()), std::string(63, 'b'));
}

TEST(WatchTrayRecord, ShellRestartMessageIsTheSystemWideOne) {
    platform::win32::Win32Windows windows;
    const unsigned number = windows.registerMessage("TaskbarCreated");
    EXPECT_GE(number, 0xC000u);
    EXPECT_LE(number, 0xFFFFu);
    EXPECT_EQ(number, RegisterWindowMessageA("TaskbarCreated"));
    EXPECT_EQ(windows.registerMessage("TaskbarCreated"), number);
}

}  // namespace
}  // namespace tavlo::watch
