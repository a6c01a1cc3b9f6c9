#include "WatchTest.h"

#include "watch/Translucency.h"

namespace tavlo::watch {
namespace {

using rt::False;
using rt::True;

struct AlertTest : WatchTest {
    // The poll's announcement of a plugged stick in the full-desktop style.
    void announce(const std::string& list) {
        frmNwUScrn().c("lblMsg").setCaption("USB Memory Device Plugged (" + list + ")");
        frmNwUScrn().show();
        frmNwUScrn().c("txtmnScrn").append(".");
    }
    static std::vector<int> box(rt::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }
};

TEST_F(AlertTest, EveryLoadOfTheSmallAlertSizesItAndLaysTheBandAcrossIt) {
    for (int load = 0; load < 2; ++load) {
        h.sys.windows.calls.clear();
        auto& a = frmNwUSB();
        a.show();
        EXPECT_EQ((std::vector<int>{a.width(), a.height()}), (std::vector<int>{5300, 1800}));
        EXPECT_EQ(a.caption(), "USB Plugged");
        EXPECT_EQ(box(a.c("lblBk")), (std::vector<int>{0, 190, 5300, 340}));
        EXPECT_EQ(a.c("lblBk").caption(), "");
        EXPECT_EQ(h.sys.windows.calls, (Texts{"SetWindowPos " + id(a) + " -2 3", "SetWindowPos " + id(a) + " -1 3"}));
        a.c("lblBk").setWidth(100);
        h.clock.advance(1);
        EXPECT_EQ(a.c("lblBk").width(), 5300);
        EXPECT_FALSE(a.timer("tmrSett").enabled());
        a.setCaption("");
        a.unload();
    }
}

TEST_F(AlertTest, SmallAlertClosesOnlyAfterYes) {
    for (int answer : {rt::No, rt::Yes}) {
        frmNwUSB().show();
        h.ui.dialogs.clear();
        h.ui.answers = {answer};
        frmNwUSB().c("mbtnClose").click();
        ASSERT_EQ(h.ui.prompts(), Texts{" It will close this window. Proceed?              "});
        EXPECT_EQ(h.ui.dialogs[0].style, 68);
        EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
        EXPECT_EQ(frmNwUSB().loaded(), answer == rt::No);
    }
}

TEST_F(AlertTest, SmallAlertShowsTheMainWindowOnEveryClick) {
    frmNwUSB().show();
    for (int click = 0; click < 2; ++click) {
        frm0().hide();
        frmNwUSB().c("mbttn1").click();
        EXPECT_TRUE(frm0().visible());
        EXPECT_TRUE(frmNwUSB().visible());
    }
}

TEST_F(AlertTest, OnlyALeftPressDragsTheSmallAlertWithTheMovePointer) {
    frmNwUSB().show();
    h.sys.windows.calls.clear();
    int pointerWhileMoving = -1;
    h.sys.windows.onSendMessage = [&](rt::Handle, unsigned) { pointerWhileMoving = frmNwUSB().mousePointer(); };
    frmNwUSB().mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_EQ(frmNwUSB().mousePointer(), 0);
    frmNwUSB().mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Texts{"ReleaseCapture", "SendMessage " + id(frmNwUSB()) + " 161 2 0"}));
    EXPECT_EQ(pointerWhileMoving, 15);
    EXPECT_EQ(frmNwUSB().mousePointer(), 1);
}

TEST_F(AlertTest, ChangeToFullScreenAndBackCarriesTheMessageAndKeepsTheStyle) {
    frmNwUSB().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
    frmNwUSB().show();
    frmNwUSB().c("mbtnMode").click();
    EXPECT_TRUE(frmNwUScrn().visible());
    EXPECT_EQ(frmNwUScrn().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(frmNwUScrn().c("txtmnScrn").text(), ".");
    EXPECT_FALSE(frmNwUSB().visible());
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Pluged...");
    const rt::Handle main = frm0().hWnd();
    h.sys.windows.calls.clear();
    frmNwUScrn().c("mbtnMode").click();
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(g.FullDesktopAlertShown, False);
    EXPECT_EQ(h.sys.windows.calls, (Texts{"SetWindowPos " + std::to_string(main) + " -2 3",
                                          "SetParent " + std::to_string(main) + " 0"}));
    EXPECT_TRUE(frmNwUSB().visible());
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(frmNwUSB().caption(), "");
    EXPECT_EQ(g.NotifyFullDesktop, False);
}

TEST_F(AlertTest, EveryLoadOfTheFullDesktopAlertLaysItOutEmbedsTheMainWindowAndRaisesBoth) {
    for (int load = 0; load < 2; ++load) {
        h.sys.windows.calls.clear();
        auto& a = frmNwUScrn();
        a.load();
        EXPECT_EQ(g.FullDesktopAlertShown, True);
        EXPECT_EQ(box(a.c("lblBk")), (std::vector<int>{0, 1510, 50000, 325}));
        EXPECT_EQ(box(a.c("lblB2")), (std::vector<int>{0, 1110, 50000, 400}));
        EXPECT_EQ(box(a.c("PicMDI1")), (std::vector<int>{0, 1835, 15360, 9685}));
        EXPECT_EQ(a.c("lblBk").caption() + a.c("lblB2").caption() + a.caption(), "");
        for (const char* name : {"mbttn1", "mbtnMode", "mbtnClose"}) EXPECT_EQ(a.c(name).top(), 1153) << name;
        EXPECT_EQ(a.c("imgIcon").top(), 1070);
        EXPECT_FALSE(a.c("mbtnClose").visible());
        EXPECT_TRUE(frm0().visible());
        EXPECT_EQ(frmNwUSB().caption(), "");
        EXPECT_FALSE(frmNwUSB().visible());
        const std::string me = id(a), main = id(frm0()), usb = id(frmNwUSB());
        EXPECT_EQ(h.sys.windows.calls, (Texts{
                                           "SetWindowPos " + usb + " -2 3",
                                           "SetWindowPos " + usb + " -1 3",
                                           "GetWindowLong " + me + " -20",
                                           "SetWindowLong " + me + " -20 524288",
                                           "SetLayeredWindowAttributes " + me + " 1 220 3",
                                           "SetParent " + main + " " + std::to_string(a.c("PicMDI1").hWnd()),
                                           "GetWindowLong " + me + " -20",
                                           "SetWindowLong " + me + " -20 524288",
                                           "SetLayeredWindowAttributes " + me + " 1 240 3",
                                           "SetWindowPos " + me + " -2 3",
                                           "SetWindowPos " + main + " -2 3",
                                           "SetWindowPos " + me + " -1 3",
                                           "SetWindowPos " + main + " -1 3",
                                       }));
        h.clock.advance(1);
        EXPECT_EQ(a.caption(), "USB Plugged");
        EXPECT_EQ(a.c("lblBk").width(), 15360);
        EXPECT_EQ(a.c("lblB2").width(), 50000);
        EXPECT_FALSE(a.timer("tmrSett").enabled());
        frmNwUSB().unload();
        a.unload();
        EXPECT_EQ(g.FullDesktopAlertShown, False);
    }
}

TEST_F(AlertTest, EachAnnouncementBringsTheMainWindowToTheFrontAndEachResizeLaysTheHostOutAgain) {
    announce("E:");
    EXPECT_EQ(frmNwUScrn().timer("tmrRsiz").interval(), 10);
    frmNwUScrn().c("PicMDI1").move(5, 5, 10, 10);
    h.clock.advance(10);
    EXPECT_EQ(box(frmNwUScrn().c("PicMDI1")), (std::vector<int>{0, 1835, 15360, 9685}));
    EXPECT_EQ(frmNwUScrn().c("PicMDI1").backColor(), 0x80000015u);
    EXPECT_FALSE(frmNwUScrn().timer("tmrRsiz").enabled());
    frm0().hide();
    h.sys.windows.calls.clear();
    announce("E:F:");
    EXPECT_EQ(frmNwUScrn().c("lblMsg").caption(), "USB Memory Device Plugged (E:F:)");
    EXPECT_TRUE(frm0().visible());
    EXPECT_EQ(h.sys.windows.calls, Texts{"SetWindowPos " + id(frm0()) + " -1 3"});
    h.sys.windows.calls.clear();
    frmNwUScrn().c("mbttn1").click();
    EXPECT_EQ(calls("SetParent"), Texts{"SetParent " + id(frm0()) + " " +
                                        std::to_string(frmNwUScrn().c("PicMDI1").hWnd())});
    EXPECT_EQ(calls("SetLayered"), Texts{"SetLayeredWindowAttributes " + id(frmNwUScrn()) + " 1 240 3"});
}

// Screens narrower than 12001 twips put the main window at the host's corner;
// wider ones centre it, 300 twips above the middle of the 9685-twip host.
TEST_F(AlertTest, MainWindowSitsInTheHostByTheScreenWidth) {
    const struct { rt::Twips screen, mainWidth, left, top; } rows[] = {
        {12000, 11000, 0, 0}, {12001, 10999, 501, 972}, {15360, 11000, 2180, 972}};
    for (const auto& row : rows) {
        h.ui.screenWidth_ = row.screen;
        frm0().move(0, 0, row.mainWidth, 7141);
        frmNwUScrn().load();
        EXPECT_EQ((std::vector<int>{frm0().left(), frm0().top()}), (std::vector<int>{row.left, row.top}))
            << row.screen;
        frmNwUScrn().unload();
    }
}

TEST_F(AlertTest, TranslucencyTakesAByteOfOpacityAndKeepsTheOtherExtendedStyles) {
    auto& a = frmNwUScrn();
    a.load();
    h.sys.windows.calls.clear();
    EXPECT_THROW(MakeTranslucent(a, 256), rt::Error);
    EXPECT_THROW(MakeWindowTranslucent(a, -1), rt::Error);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    h.sys.windows.exStyles[a.hWnd()] = 0x8;
    MakeTranslucent(a, 0);
    EXPECT_EQ(h.sys.windows.alphas[a.hWnd()], 0);
    EXPECT_EQ(h.sys.windows.exStyles[a.hWnd()], 0x80008);
    MakeWindowTranslucent(a, 255);
    EXPECT_EQ(h.sys.windows.alphas[a.hWnd()], 255);
}

}  // namespace
}  // namespace tavlo::watch
