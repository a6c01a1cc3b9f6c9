// The alert windows on the real user interface: the main window really goes
// into the full-desktop alert and back, the alert really turns layered, and
// the picture buttons answer real mouse messages.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "core/Mbttn.h"
#include "platform/win32/Win32Services.h"
#include "runtime/App.h"
#include "runtime/win32/Gdi.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"

namespace tavlo::watch {
namespace {

struct AlertWindowsTest : ::testing::Test {
    std::unique_ptr<platform::win32::Win32System> sys = platform::win32::makeWin32System();
    rt::win32::Win32Ui ui;
    rt::win32::Win32Clock clock;
    rt::AppScope scope{ui, clock, sys->services};

    // The main window takes the splash window's icon, which loads the
    // splash; its unload at the end would complain that no configuration
    // was loaded, with a message box nobody answers here.
    ~AlertWindowsTest() override { core::frmSplash().ConfigurationLoaded = rt::True; }

    static HWND hwnd(rt::Handle h) { return reinterpret_cast<HWND>(h); }
    static HWND parentOf(HWND h) { return GetAncestor(h, GA_PARENT); }
    // Runs the window messages waiting, as the program's loop would, but no
    // timer: the main window's settings load stays out of these tests.
    static void pump() {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               PeekMessageW(&m, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
    // A press and a release of the left button in the middle of a window.
    static void clickOn(HWND h) {
        RECT r;
        GetClientRect(h, &r);
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(h, WM_LBUTTONUP, 0, at);
    }
    void plugFullDesktop() {
        frmNwUScrn().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
        frmNwUScrn().show();
        frmNwUScrn().c("txtmnScrn").append(".");
        pump();
    }
};

TEST_F(AlertWindowsTest, FullDesktopAlertHoldsTheMainWindowAndIsLayered) {
    plugFullDesktop();
    HWND alert = hwnd(frmNwUScrn().hWnd());
    HWND main = hwnd(core::frm0().hWnd());
    EXPECT_EQ(parentOf(main), hwnd(frmNwUScrn().c("PicMDI1").hWnd()));
    EXPECT_TRUE(IsWindowVisible(main));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(alert, &key, &alpha, &flags));
    EXPECT_EQ(key, 1u);
    EXPECT_EQ(alpha, 240);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_TRUE(GetWindowLongW(alert, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLongW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(AlertWindowsTest, ChangeToPopupGivesTheMainWindowBackToTheDesktop) {
    plugFullDesktop();
    HWND main = hwnd(core::frm0().hWnd());
    clickOn(hwnd(frmNwUScrn().c("mbtnMode.bttn").hWnd()));
    pump();
    EXPECT_FALSE(frmNwUScrn().loaded());
    ASSERT_TRUE(IsWindow(main));
    EXPECT_EQ(parentOf(main), GetDesktopWindow());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsWindowVisible(hwnd(frmNwUSB().hWnd())));
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
}

// The tray form's closing of the alerts while the main window sits inside.
TEST_F(AlertWindowsTest, ClosingWithTheMainWindowInsideBringsBackAFreshTopLevelWindow) {
    plugFullDesktop();
    HWND embedded = hwnd(core::frm0().hWnd());
    core::frm0().unload();
    frmNwUScrn().unload();
    core::frm0().show();
    pump();
    HWND fresh = hwnd(core::frm0().hWnd());
    EXPECT_NE(fresh, embedded);
    EXPECT_FALSE(IsWindow(embedded));
    EXPECT_EQ(parentOf(fresh), GetDesktopWindow());
    EXPECT_TRUE(IsWindowVisible(fresh));
    EXPECT_EQ(core::globals().FullDesktopAlertShown, rt::False);
}

TEST_F(AlertWindowsTest, ButtonFaceAnswersTheMouseAndRaisesClick) {
    auto& alert = frmNwUSB();
    alert.show();
    pump();
    auto& button = core::Mbttn::of(alert, "mbttn1");
    HWND face = hwnd(alert.c("mbttn1.bttn").hWnd());
    ASSERT_NE(face, nullptr);
    SendMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(button.Picture(), button.DownPicture());
    SendMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pump();
    EXPECT_EQ(button.Picture(), button.Orgpic());
    EXPECT_TRUE(core::frm0().visible());  // "Main Window" showed it
    EXPECT_TRUE(alert.visible());
}

TEST_F(AlertWindowsTest, CaptionsAreAsWideAsTheirTextOnTheScreen) {
    auto& alert = frmNwUScrn();
    auto& caption = alert.c("mbtnMode.Label1");
    HWND label = hwnd(caption.hWnd());
    ASSERT_NE(label, nullptr);
    rt::win32::UniqueFont font = rt::win32::makeFont(caption.font(), ui.context().scale);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.get());
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Change to Popup", 15, &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT r;
    GetClientRect(label, &r);
    EXPECT_NEAR(r.right, text.cx, 1);
    EXPECT_NEAR(r.bottom, text.cy, 1);
}

}  // namespace
}  // namespace tavlo::watch
