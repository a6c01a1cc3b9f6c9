#include <gtest/gtest.h>

#include "AlertFixture.h"

#include "core/Frm0.h"
#include "core/Globals.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"

namespace tavlo::watch {
namespace {

using core::frm0;
using core::globals;
using platform::DriveType;

// The whole road of a stick: the poll finds it and shows the alert of the
// stored mode, the user may switch alerts, the poll sees it go and the
// alerts close.
struct AlertCloseTest : testing::AlertTest {
    AlertCloseTest() {
        globals().UsbWatchEnabled = rt::True;
        frm1().load();
        h.sys.files.addFile("E:\\setup.exe", 100);
    }
    // The alert mode as the user picks it on the Settings page, stored (the
    // other box first, so that the chosen one changes and saves).
    void chooseMode(bool fullDesktop) {
        frm0().c(fullDesktop ? "chkPrmtPop" : "chkPrmtDsk").setValue(1);
        frm0().c(fullDesktop ? "chkPrmtDsk" : "chkPrmtPop").setValue(1);
        ASSERT_EQ(globals().NotifyFullDesktop, fullDesktop ? rt::True : rt::False);
    }
    void plug() {
        h.sys.files.setDrive('E', DriveType::Removable);
        h.clock.advance(1000);
    }
    void pull() {
        h.sys.files.removeDrive('E');
        h.clock.advance(1000);
    }
    bool sawCall(const std::string& call) {
        auto& calls = h.sys.windows.calls;
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

TEST_F(AlertCloseTest, PopModeShowsTheSmallAlertAndThePullClosesIt) {
    chooseMode(false);
    plug();
    ASSERT_TRUE(frmNwUSB().visible());
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_FALSE(frmNwUScrn().loaded());
    frm0().show();
    const rt::Handle main = frm0().hWnd();
    h.sys.windows.calls.clear();
    pull();
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(frm0().hWnd(), main);  // the same main window, not topmost any more
    EXPECT_TRUE(sawCall("SetWindowPos " + id(main) + " -2 3"));
}

TEST_F(AlertCloseTest, FullDesktopModeEmbedsTheMainWindowAndThePullBringsItBackFresh) {
    chooseMode(true);
    plug();
    ASSERT_TRUE(frmNwUScrn().visible());
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::True);
    const rt::Handle embedded = frm0().hWnd();
    EXPECT_TRUE(sawCall("SetParent " + id(embedded) + " " + id(frmNwUScrn().c("PicMDI1").hWnd())));
    EXPECT_GT(frm0().grid("MsfInfectd").rows(), 1);  // the stick's scan results
    pull();
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::False);
    EXPECT_TRUE(frm0().visible());
    EXPECT_NE(frm0().hWnd(), embedded);  // a fresh load
    EXPECT_EQ(frm0().grid("MsfInfectd").rows(), 1);
}

TEST_F(AlertCloseTest, AfterChangeToPopupThePullClosesTheSmallAlertOnly) {
    chooseMode(true);
    plug();
    frmNwUScrn().c("mbtnMode").click();
    ASSERT_TRUE(frmNwUSB().visible());
    const rt::Handle main = frm0().hWnd();
    pull();
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(frm0().hWnd(), main);
    EXPECT_TRUE(frm0().visible());
}

TEST_F(AlertCloseTest, AfterChangeToFullScreenThePullBringsTheMainWindowBackFresh) {
    chooseMode(false);
    plug();
    frmNwUSB().c("mbtnMode").click();
    ASSERT_TRUE(frmNwUScrn().visible());
    const rt::Handle embedded = frm0().hWnd();
    pull();
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_FALSE(frmNwUSB().visible());
    EXPECT_NE(frm0().hWnd(), embedded);
    EXPECT_TRUE(frm0().visible());
    EXPECT_EQ(globals().NotifyFullDesktop, rt::False);
}

}  // namespace
}  // namespace tavlo::watch
