#include <gtest/gtest.h>

#include "AlertFixture.h"

#include <cmath>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Mbttn.h"
#include "runtime/ErrorReport.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"
#include "watch/Translucency.h"

namespace tavlo::watch {
namespace {

using core::frm0;
using core::globals;
using testing::Calls;

struct AlertFullDesktopTest : testing::AlertTest {
    FrmNwUScrn& alert() { return frmNwUScrn(); }
    // The poll's announcement of a plugged stick in the full-desktop mode.
    void plug(const std::string& list) {
        alert().c("lblMsg").setCaption("USB Memory Device Plugged (" + list + ")");
        alert().show();
        alert().c("txtmnScrn").append(".");
    }
    void clickButton(const std::string& name) {
        auto& face = alert().c(name + ".bttn");
        face.mouseDown(rt::LeftButton, 0, 30, 30);
        face.mouseUp(rt::LeftButton, 0, 30, 30);
    }
};

TEST_F(AlertFullDesktopTest, LoadLaysOutTheBandsAndTheButtonsOnTheNavyBand) {
    alert().load();
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::True);
    auto& red = alert().c("lblBk");
    auto& navy = alert().c("lblB2");
    EXPECT_EQ(red.caption(), "");
    EXPECT_EQ(navy.caption(), "");
    EXPECT_EQ((std::vector<int>{red.left(), red.top(), red.width(), red.height()}),
              (std::vector<int>{0, 1510, 50000, 325}));
    EXPECT_EQ((std::vector<int>{navy.left(), navy.top(), navy.width(), navy.height()}),
              (std::vector<int>{0, 1110, 50000, 400}));
    for (const char* name : {"mbttn1", "mbtnMode", "mbtnClose"}) EXPECT_EQ(alert().c(name).top(), 1153) << name;
    EXPECT_EQ(alert().c("imgIcon").top(), 1070);
    EXPECT_FALSE(alert().c("mbtnClose").visible());
    EXPECT_EQ(core::Mbttn::of(alert(), "mbtnMode").Caption(), "Change to Popup");
    EXPECT_EQ(core::Mbttn::of(alert(), "mbttn1").Caption(), "Main Window");
    EXPECT_EQ(alert().caption(), "");
    auto& host = alert().c("PicMDI1");
    EXPECT_EQ((std::vector<int>{host.left(), host.top(), host.width(), host.height()}),
              (std::vector<int>{0, 1835, h.ui.screenWidth(), h.ui.screenHeight() - 1835}));
}

TEST_F(AlertFullDesktopTest, LoadTurnsTranslucentEmbedsTheMainWindowThenSetsTopmostLast) {
    alert().load();
    const std::string me = id(alert().hWnd()), main = id(frm0().hWnd()), usb = id(frmNwUSB().hWnd());
    const std::string host = id(alert().c("PicMDI1").hWnd());
    EXPECT_EQ(callsOn({alert().hWnd(), frm0().hWnd(), frmNwUSB().hWnd()}), (Calls{
                                       "SetWindowPos " + usb + " -2 3",  // the small alert, loaded hidden
                                       "SetWindowPos " + usb + " -1 3",
                                       "GetWindowLong " + me + " -20",
                                       "SetWindowLong " + me + " -20 524288",
                                       "SetLayeredWindowAttributes " + me + " 1 220 3",
                                       "SetParent " + main + " " + host,
                                       "GetWindowLong " + me + " -20",
                                       "SetWindowLong " + me + " -20 524288",
                                       "SetLayeredWindowAttributes " + me + " 1 240 3",
                                       "SetWindowPos " + me + " -2 3",
                                       "SetWindowPos " + main + " -2 3",
                                       "SetWindowPos " + me + " -1 3",
                                       "SetWindowPos " + main + " -1 3",
                                   }));
    EXPECT_EQ(h.sys.windows.alphas[alert().hWnd()], 240);
    EXPECT_TRUE(frm0().visible());
    EXPECT_EQ(frmNwUSB().caption(), "");
    EXPECT_FALSE(frmNwUSB().visible());
}

TEST_F(AlertFullDesktopTest, MainWindowIsCentredAboveTheMiddleOfItsHostOnWideScreens) {
    alert().load();
    auto& host = alert().c("PicMDI1");
    EXPECT_EQ(frm0().left(), (host.width() - frm0().width()) / 2);
    EXPECT_EQ(frm0().top(), static_cast<int>(std::lround((host.height() - frm0().height()) / 2.0 - 300)));
}

TEST_F(AlertFullDesktopTest, ScreenOf12000TwipsPutsTheMainWindowInTheCorner) {
    h.ui.screenWidth_ = 12000;
    alert().load();
    EXPECT_EQ(frm0().left(), 0);
    EXPECT_EQ(frm0().top(), 0);
    alert().unload();
    h.ui.screenWidth_ = 12001;
    alert().load();
    EXPECT_EQ(frm0().left(), static_cast<int>(std::lround((12001 - frm0().width()) / 2.0)));
}

TEST_F(AlertFullDesktopTest, ShowingLaysTheHostOutAgainAndSetsTheCaptionSoonAfter) {
    plug("E:");
    EXPECT_TRUE(alert().timer("tmrRsiz").enabled());
    EXPECT_EQ(alert().timer("tmrRsiz").interval(), 10);
    alert().c("PicMDI1").move(5, 5, 10, 10);
    h.clock.advance(1);
    EXPECT_EQ(alert().caption(), "USB Plugged");
    EXPECT_EQ(alert().c("lblBk").width(), alert().width());
    EXPECT_EQ(alert().c("lblB2").width(), 50000);
    EXPECT_FALSE(alert().timer("tmrSett").enabled());
    h.clock.advance(10);
    auto& host = alert().c("PicMDI1");
    EXPECT_EQ(host.top(), 1835);
    EXPECT_EQ(host.width(), alert().width());
    EXPECT_EQ(host.backColor(), alert().backColor());
    EXPECT_FALSE(alert().timer("tmrRsiz").enabled());
}

TEST_F(AlertFullDesktopTest, TriggerBringsTheMainWindowToTheFrontOnEveryPlug) {
    plug("E:");
    frm0().hide();
    h.sys.windows.calls.clear();
    plug("E:F:");
    EXPECT_EQ(alert().c("lblMsg").caption(), "USB Memory Device Plugged (E:F:)");
    EXPECT_TRUE(frm0().visible());
    EXPECT_EQ(callsOn({frm0().hWnd(), alert().hWnd()}), (Calls{"SetWindowPos " + id(frm0().hWnd()) + " -1 3"}));
}

TEST_F(AlertFullDesktopTest, MainWindowButtonEmbedsAgainAndRestoresOpacity) {
    plug("E:");
    frm0().move(0, 0, frm0().width(), frm0().height());
    h.sys.windows.calls.clear();
    clickButton("mbttn1");
    EXPECT_EQ(callsStartingWith("SetParent"), (Calls{"SetParent " + id(frm0().hWnd()) + " " +
                                           id(alert().c("PicMDI1").hWnd())}));
    EXPECT_EQ(callsStartingWith("SetLayered"), (Calls{"SetLayeredWindowAttributes " + id(alert().hWnd()) + " 1 240 3"}));
    EXPECT_GT(frm0().left(), 0);
}

TEST_F(AlertFullDesktopTest, ChangeToPopupHandsTheMessageToTheSmallAlert) {
    globals().NotifyFullDesktop = rt::True;
    plug("E:");
    const rt::Handle main = frm0().hWnd();
    h.sys.windows.calls.clear();
    clickButton("mbtnMode");
    EXPECT_FALSE(alert().loaded());
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::False);
    EXPECT_EQ(callsStartingWith("SetWindowPos " + id(main)), (Calls{"SetWindowPos " + id(main) + " -2 3"}));
    // The main window goes back to the desktop before the alert's window goes.
    EXPECT_EQ(callsStartingWith("SetParent"), (Calls{"SetParent " + id(main) + " 0"}));
    EXPECT_TRUE(frm0().visible());
    EXPECT_TRUE(frmNwUSB().visible());
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(frmNwUSB().caption(), "");  // loaded hidden by the full alert's load
    EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
}

// What the tray form's closing of the alerts does while the main window sits
// inside the full-desktop alert: unload the main window, unload the alert,
// show the main window again.
TEST_F(AlertFullDesktopTest, ClosingWithTheMainWindowInsideBringsItBackFresh) {
    plug("E:");
    const rt::Handle embedded = frm0().hWnd();
    h.sys.windows.calls.clear();
    frm0().unload();
    alert().unload();
    frm0().show();
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::False);
    EXPECT_NE(frm0().hWnd(), embedded);
    EXPECT_TRUE(frm0().visible());
    // The unload's topmost reset reached the fresh main window; no window
    // was handed back, for the embedded one had gone.
    EXPECT_EQ(callsOn({frm0().hWnd(), embedded}), (Calls{"SetWindowPos " + id(frm0().hWnd()) + " -2 3"}));
}

TEST_F(AlertFullDesktopTest, TranslucencyRejectsAnAlphaOutsideAByte) {
    alert().load();
    h.sys.windows.calls.clear();
    EXPECT_THROW(MakeTranslucent(alert(), 256), rt::Error);
    EXPECT_THROW(MakeWindowTranslucent(alert(), -1), rt::Error);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    MakeTranslucent(alert(), 0);
    EXPECT_EQ(h.sys.windows.alphas[alert().hWnd()], 0);
    EXPECT_EQ(h.app().module<TranslucencyState>().LayeredExStyle, 0x80000);
}

TEST_F(AlertFullDesktopTest, LayeringKeepsTheOtherExtendedStyles) {
    alert().load();
    h.sys.windows.exStyles[alert().hWnd()] = 0x8;  // topmost
    MakeWindowTranslucent(alert(), 240);
    EXPECT_EQ(h.sys.windows.exStyles[alert().hWnd()], 0x80008);
}

}  // namespace
}  // namespace tavlo::watch
