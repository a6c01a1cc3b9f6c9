#include <gtest/gtest.h>

#include "AlertFixture.h"

#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Mbttn.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"

namespace tavlo::watch {
namespace {

using core::frm0;
using core::globals;
using testing::Calls;

struct AlertSmallTest : testing::AlertTest {
    FrmNwUSB& alert() { return frmNwUSB(); }
    std::string hwnd(rt::Form& f) { return std::to_string(f.hWnd()); }
    // The poll's announcement of a plugged stick.
    void plug(const std::string& list) {
        alert().c("lblMsg").setCaption("USB Memory Device Plugged (" + list + ")");
        alert().show();
    }
    // A user's click on a picture button's face.
    void clickButton(rt::Form& f, const std::string& name) {
        auto& face = f.c(name + ".bttn");
        face.mouseDown(rt::LeftButton, 0, 30, 30);
        face.mouseUp(rt::LeftButton, 0, 30, 30);
    }
};

TEST_F(AlertSmallTest, LoadSetsSizeBandAndTopmostState) {
    plug("E:");
    EXPECT_EQ(alert().width(), 5300);
    EXPECT_EQ(alert().height(), 1800);
    EXPECT_EQ(alert().caption(), "USB Plugged");
    auto& band = alert().c("lblBk");
    EXPECT_EQ(band.caption(), "");
    EXPECT_EQ(band.left(), 0);
    EXPECT_EQ(band.top(), 190);
    EXPECT_EQ(band.width(), 5300);
    EXPECT_EQ(band.height(), 340);
    EXPECT_EQ(band.backColor(), 0x0000C0u);
    EXPECT_EQ(callsOn({alert().hWnd()}), (Calls{"SetWindowPos " + hwnd(alert()) + " -2 3",
                                          "SetWindowPos " + hwnd(alert()) + " -1 3"}));
    EXPECT_EQ(alert().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(core::Mbttn::of(alert(), "mbtnMode").Caption(), "Change to Full Screen");
    EXPECT_EQ(alert().c("Label1").caption(), "Not Recommanded");
}

TEST_F(AlertSmallTest, BandWidensOnceOneMillisecondAfterLoad) {
    plug("E:");
    alert().c("lblBk").setWidth(100);
    h.clock.advance(1);
    EXPECT_EQ(alert().c("lblBk").width(), alert().width());
    EXPECT_FALSE(alert().timer("tmrSett").enabled());
}

TEST_F(AlertSmallTest, SecondPlugUpdatesTheSameWindow) {
    plug("E:");
    plug("E:F:");
    EXPECT_EQ(alert().c("lblMsg").caption(), "USB Memory Device Plugged (E:F:)");
    EXPECT_EQ(callsOn({alert().hWnd()}).size(), 2u);  // one load
}

TEST_F(AlertSmallTest, CloseAsksAndYesUnloads) {
    plug("E:");
    h.ui.answers = {rt::Yes};
    clickButton(alert(), "mbtnClose");
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    const auto& question = h.ui.dialogs[0];
    EXPECT_EQ(question.prompt, " It will close this window. Proceed?              ");
    EXPECT_EQ(question.prompt.size(), 50u);
    EXPECT_EQ(question.style, 68);
    EXPECT_EQ(question.title, "Tavlo");
    EXPECT_FALSE(alert().loaded());
}

TEST_F(AlertSmallTest, CloseAnsweredNoLeavesTheWindowAsItWas) {
    plug("E:");
    h.ui.answers = {rt::No};
    clickButton(alert(), "mbtnClose");
    EXPECT_TRUE(alert().loaded());
    EXPECT_TRUE(alert().visible());
    EXPECT_EQ(alert().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(alert().c("mbtnClose.bttn").picture(), core::Mbttn::of(alert(), "mbtnClose").Orgpic());
}

TEST_F(AlertSmallTest, MainWindowButtonShowsTheMainWindowEveryTime) {
    plug("E:");
    clickButton(alert(), "mbttn1");
    EXPECT_TRUE(frm0().visible());
    frm0().hide();
    clickButton(alert(), "mbttn1");
    EXPECT_TRUE(frm0().visible());
    EXPECT_TRUE(alert().visible());
}

TEST_F(AlertSmallTest, ChangeToFullScreenMovesTheMessageToTheFullDesktopAlert) {
    globals().NotifyFullDesktop = rt::False;
    plug("E:");
    clickButton(alert(), "mbtnMode");
    auto& full = frmNwUScrn();
    EXPECT_TRUE(full.visible());
    EXPECT_EQ(full.c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(full.c("txtmnScrn").text(), ".");
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::True);
    EXPECT_TRUE(frm0().visible());
    // The small alert is loaded again, hidden, by the full alert's load.
    EXPECT_TRUE(alert().loaded());
    EXPECT_FALSE(alert().visible());
    EXPECT_EQ(alert().caption(), "");
    EXPECT_EQ(alert().c("lblMsg").caption(), "USB Memory Device Pluged...");
    EXPECT_EQ(globals().NotifyFullDesktop, rt::False);
}

TEST_F(AlertSmallTest, LeftPressOnTheSurfaceDragsTheWindowWithTheMovePointer) {
    plug("E:");
    h.sys.windows.calls.clear();
    int pointerWhileMoving = -1;
    h.sys.windows.onSendMessage = [&](rt::Handle, unsigned) { pointerWhileMoving = alert().mousePointer(); };
    alert().mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    EXPECT_EQ(alert().mousePointer(), 0);
    alert().mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Calls{"ReleaseCapture", "SendMessage " + hwnd(alert()) + " 161 2 0"}));
    EXPECT_EQ(pointerWhileMoving, rt::PointerMove);
    EXPECT_EQ(alert().mousePointer(), rt::PointerArrow);
}

}  // namespace
}  // namespace tavlo::watch
