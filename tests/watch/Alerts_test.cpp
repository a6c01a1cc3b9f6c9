#include "WatchTest.h"

#include "watch/Translucency.h"

namespace tavlo::watch {
namespace {

using Box = std::vector<int>;
Box box(rt::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }

TEST_F(WatchTest, EveryLoadOfTheSmallAlertSizesItAndLaysTheBandAcrossIt) {
    auto& a = frmNwUSB();
    for (int load = 0; load < 2; ++load) {
        h.sys.windows.calls.clear();
        a.show();
        EXPECT_EQ((Box{a.width(), a.height()}), (Box{5300, 1800}));
        EXPECT_EQ(box(a.c("lblBk")), (Box{0, 190, 5300, 340}));
        EXPECT_EQ(a.caption() + a.c("lblBk").caption(), "USB Plugged");
        EXPECT_EQ(h.sys.windows.calls, (Texts{"SetWindowPos " + id(a) + " -2 3", "SetWindowPos " + id(a) + " -1 3"}));
        a.c("lblBk").setWidth(100);
        h.clock.advance(1);
        EXPECT_EQ(a.c("lblBk").width(), 5300);
        EXPECT_FALSE(a.timer("tmrSett").enabled());
        a.setCaption("");
        a.unload();
    }
}

// Close asks first; Main Window shows the main window on every click; a left
// press on the bare surface moves the window with the move pointer.
TEST_F(WatchTest, SmallAlertButtonsAndDrag) {
    auto& a = frmNwUSB();
    for (int answer : {rt::No, rt::Yes}) {
        frm0().hide();
        a.show();
        a.c("mbttn1").click();
        EXPECT_TRUE(frm0().visible() && a.visible());
        h.ui.answers = {answer};
        a.c("mbtnClose").click();
        EXPECT_EQ(a.loaded(), answer == rt::No);
    }
    EXPECT_EQ(h.ui.prompts(), Texts(2, " It will close this window. Proceed?              "));
    EXPECT_EQ(h.ui.dialogs[1].style, 68);
    EXPECT_EQ(h.ui.dialogs[1].title, "Tavlo");
    int pointerWhileMoving = -1;
    h.sys.windows.onSendMessage = [&](rt::Handle, unsigned) { pointerWhileMoving = a.mousePointer(); };
    a.show();
    h.sys.windows.calls.clear();
    a.mouseDown(rt::RightButton, 0, 10, 10);
    a.mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Texts{"ReleaseCapture", "SendMessage " + id(a) + " 161 2 0"}));
    EXPECT_EQ((Box{pointerWhileMoving, a.mousePointer()}), (Box{15, 1}));
}

TEST_F(WatchTest, ChangeToFullScreenAndBackCarriesTheMessageAndKeepsTheStyle) {
    frmNwUSB().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
    frmNwUSB().c("mbtnMode").click();
    EXPECT_TRUE(frmNwUScrn().visible());
    EXPECT_EQ(frmNwUScrn().c("lblMsg").caption() + frmNwUScrn().c("txtmnScrn").text(), "USB Memory Device Plugged (E:).");
    const std::string main = id(frm0());
    h.sys.windows.calls.clear();
    frmNwUScrn().c("mbtnMode").click();
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(h.sys.windows.calls, (Texts{"SetWindowPos " + main + " -2 3", "SetParent " + main + " 0"}));
    EXPECT_TRUE(frmNwUSB().visible());
    EXPECT_EQ(frmNwUSB().caption() + frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(g.NotifyFullDesktop, rt::False);
}

TEST_F(WatchTest, EveryLoadOfTheFullDesktopAlertLaysItOutEmbedsTheMainWindowAndRaisesBoth) {
    auto& a = frmNwUScrn();
    for (int load = 0; load < 2; ++load) {
        h.sys.windows.calls.clear();
        a.load();
        EXPECT_EQ(g.FullDesktopAlertShown, rt::True);
        EXPECT_EQ(box(a.c("lblBk")), (Box{0, 1510, 50000, 325}));
        EXPECT_EQ(box(a.c("lblB2")), (Box{0, 1110, 50000, 400}));
        EXPECT_EQ(box(a.c("PicMDI1")), (Box{0, 1835, 15360, 9685}));
        EXPECT_EQ((Box{a.c("mbttn1").top(), a.c("mbtnMode").top(), a.c("mbtnClose").top(), a.c("imgIcon").top()}),
                  (Box{1153, 1153, 1153, 1070}));
        EXPECT_EQ(a.c("lblBk").caption() + a.c("lblB2").caption() + a.caption() + frmNwUSB().caption(), "");
        EXPECT_FALSE(a.c("mbtnClose").visible() || frmNwUSB().visible());
        EXPECT_TRUE(frm0().visible());
        const std::string me = id(a), main = id(frm0()), usb = id(frmNwUSB()), at = "SetWindowPos ";
        const std::string layered = "GetWindowLong " + me + " -20|SetWindowLong " + me + " -20 524288|";
        std::string seen;
        for (const auto& call : h.sys.windows.calls) seen += call + "|";
        EXPECT_EQ(seen, at + usb + " -2 3|" + at + usb + " -1 3|" + layered + "SetLayeredWindowAttributes " + me +
                            " 1 220 3|SetParent " + main + " " + std::to_string(a.c("PicMDI1").hWnd()) + "|" +
                            layered + "SetLayeredWindowAttributes " + me + " 1 240 3|" + at + me + " -2 3|" + at +
                            main + " -2 3|" + at + me + " -1 3|" + at + main + " -1 3|");
        h.clock.advance(1);
        EXPECT_EQ(a.caption(), "USB Plugged");
        EXPECT_EQ((Box{a.c("lblBk").width(), a.c("lblB2").width()}), (Box{15360, 50000}));
        EXPECT_FALSE(a.timer("tmrSett").enabled());
        frmNwUSB().unload();
        a.unload();
        EXPECT_EQ(g.FullDesktopAlertShown, rt::False);
    }
}

TEST_F(WatchTest, EachAnnouncementBringsTheMainWindowToTheFrontAndEachResizeLaysTheHostOutAgain) {
    auto& a = frmNwUScrn();
    for (int plug = 0; plug < 2; ++plug) {
        frm0().hide();
        h.sys.windows.calls.clear();
        a.show();
        a.c("txtmnScrn").append(".");
        EXPECT_TRUE(frm0().visible());
        EXPECT_EQ(h.sys.windows.calls.back(), "SetWindowPos " + id(frm0()) + " -1 3");
    }
    EXPECT_EQ(a.timer("tmrRsiz").interval(), 10);
    a.c("PicMDI1").move(5, 5, 10, 10);
    h.clock.advance(10);
    EXPECT_EQ(box(a.c("PicMDI1")), (Box{0, 1835, 15360, 9685}));
    EXPECT_EQ(a.c("PicMDI1").backColor(), 0x80000015u);
    EXPECT_FALSE(a.timer("tmrRsiz").enabled());
}

// Screens narrower than 12001 twips put the main window at the host's corner;
// wider ones centre it, 300 twips above the middle of the 9685-twip host. The
// button embeds it again, and the opacity rises to 240 again.
TEST_F(WatchTest, MainWindowSitsInTheHostByTheScreenWidth) {
    const struct { rt::Twips screen, mainWidth, left, top; } rows[] = {
        {12000, 11000, 0, 0}, {12001, 10999, 501, 972}, {15360, 11000, 2180, 972}};
    for (const auto& row : rows) {
        h.ui.screenWidth_ = row.screen;
        frmNwUScrn().load();
        frm0().move(0, 0, row.mainWidth, 7141);
        h.sys.windows.calls.clear();
        frmNwUScrn().c("mbttn1").click();
        EXPECT_EQ((Box{frm0().left(), frm0().top()}), (Box{row.left, row.top})) << row.screen;
        EXPECT_EQ(calls("SetLayered"), Texts{"SetLayeredWindowAttributes " + id(frmNwUScrn()) + " 1 240 3"});
        frmNwUScrn().unload();
    }
}

TEST_F(WatchTest, TranslucencyTakesAByteOfOpacityAndKeepsTheOtherExtendedStyles) {
    auto& a = frmNwUScrn();
    h.sys.windows.exStyles[a.hWnd()] = 0x8;
    h.sys.windows.calls.clear();
    EXPECT_THROW(MakeTranslucent(a, 256), rt::Error);
    EXPECT_THROW(MakeWindowTranslucent(a, -1), rt::Error);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    for (int alpha : {0, 255}) {
        MakeTranslucent(a, alpha);
        EXPECT_EQ((Box{h.sys.windows.alphas[a.hWnd()], int(h.sys.windows.exStyles[a.hWnd()])}), (Box{alpha, 0x80008}));
    }
}

}  // namespace
}  // namespace tavlo::watch
