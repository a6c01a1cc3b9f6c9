#include "Win32Fixture.h"

namespace tavlo::rt::win32::test {
namespace {

using FormWindowTest = Win32Test;

TEST_F(FormWindowTest, WindowTakesTheDesignGeometryInPixels) {
    form().show();
    const int dpi = Scale::screen().dpi;
    RECT r;
    GetWindowRect(formHwnd(), &r);
    EXPECT_EQ(r.left, MulDiv(1500, dpi, 1440));
    EXPECT_EQ(r.top, MulDiv(1200, dpi, 1440));
    EXPECT_EQ(r.right - r.left, MulDiv(7200, dpi, 1440));
    EXPECT_EQ(r.bottom - r.top, MulDiv(6000, dpi, 1440));
    const RECT label = placeOf(hwndOf("lblCount"));
    EXPECT_EQ(label.left, MulDiv(150, dpi, 1440));
    EXPECT_EQ(label.top, MulDiv(300, dpi, 1440));
    EXPECT_EQ(label.right - label.left, MulDiv(1500, dpi, 1440));
    EXPECT_EQ(label.bottom - label.top, MulDiv(300, dpi, 1440));
}

TEST_F(FormWindowTest, ControlsLieInTheirContainers) {
    form().show();
    EXPECT_EQ(GetParent(hwndOf("lblIn")), hwndOf("picScan"));
    EXPECT_EQ(GetParent(hwndOf("MsfInfectd")), hwndOf("picScan"));
    EXPECT_EQ(GetParent(hwndOf("picScan")), formHwnd());
    EXPECT_EQ(form().timer("tmrA").hWnd(), 0u);
    EXPECT_EQ(form().c("mnuOpen").hWnd(), 0u);
}

TEST_F(FormWindowTest, PropertyChangesReachTheWindowsAtOnce) {
    form().show();
    form().c("lblCount").setCaption("7 found");
    form().c("cmdGo").setVisible(false);
    form().c("chkA").setEnabled(false);
    form().c("picScan").move(300, 1650, 4500, 3000);
    form().setCaption("Renamed");
    EXPECT_EQ(textOf(hwndOf("lblCount")), L"7 found");
    EXPECT_FALSE(IsWindowVisible(hwndOf("cmdGo")));
    EXPECT_FALSE(IsWindowEnabled(hwndOf("chkA")));
    EXPECT_EQ(textOf(formHwnd()), L"Renamed");
    const Scale s = Scale::screen();
    const RECT pic = placeOf(hwndOf("picScan"));
    EXPECT_EQ(pic.left, s.px(300));
    EXPECT_EQ(pic.top, s.px(1650));
    EXPECT_EQ(pic.right - pic.left, s.px(4500));
}

TEST_F(FormWindowTest, FormSizeFromCodeMovesTheWindowAndReportsTheClientArea) {
    form().show();
    form().move(600, 600, 9000, 7500);
    const Scale s = Scale::screen();
    RECT outer, client;
    GetWindowRect(formHwnd(), &outer);
    GetClientRect(formHwnd(), &client);
    EXPECT_EQ(outer.right - outer.left, s.px(9000));
    EXPECT_EQ(form().scaleWidth(), s.twips(client.right));
    EXPECT_EQ(form().scaleHeight(), s.twips(client.bottom));
    EXPECT_LT(form().scaleHeight(), 7500);  // the title bar takes its share
}

TEST_F(FormWindowTest, SizeAndPlaceGivenByTheSystemGoBackToTheModel) {
    form().show();
    const Scale s = Scale::screen();
    SetWindowPos(formHwnd(), nullptr, 40, 50, 500, 420, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(form().width(), s.twips(500));
    EXPECT_EQ(form().height(), s.twips(420));
    EXPECT_EQ(form().left(), s.twips(40));
    EXPECT_EQ(form().top(), s.twips(50));
    // A later change of size from code keeps the place the user gave.
    form().setWidth(s.twips(520));
    RECT r;
    GetWindowRect(formHwnd(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right - r.left, 520);
}

TEST_F(FormWindowTest, CloseBoxAsksTheModelToUnload) {
    form().show();
    HWND h = formHwnd();
    SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(form().loaded());
    EXPECT_FALSE(IsWindowVisible(h));
    app().doEvents();  // the windows of the unloaded form go from the loop
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(FormWindowTest, FormSeesItsWindowMessagesFirst) {
    form().show();
    std::vector<unsigned> taken;
    form().onMessage = [&](unsigned msg, std::uintptr_t, std::intptr_t lp) {
        if (msg != WM_APP + 7 && msg != WM_CLOSE) return false;
        taken.push_back(msg);
        return lp == 1;
    };
    SendMessageW(formHwnd(), WM_APP + 7, 0, 1);
    SendMessageW(formHwnd(), WM_CLOSE, 0, 1);  // taken: the form stays
    EXPECT_EQ(taken, (std::vector<unsigned>{WM_APP + 7, WM_CLOSE}));
    EXPECT_TRUE(form().loaded());
    SendMessageW(formHwnd(), WM_CLOSE, 0, 0);  // left to the view: the form unloads
    EXPECT_FALSE(form().loaded());
}

TEST_F(FormWindowTest, HideAndShowFollowTheModel) {
    form().show();
    EXPECT_TRUE(IsWindowVisible(formHwnd()));
    form().hide();
    EXPECT_FALSE(IsWindowVisible(formHwnd()));
    EXPECT_TRUE(form().loaded());
}

struct BorderlessForm : Form {
    BorderlessForm() : Form("frmBare") {}
    FormDesign formDesign() override {
        FormDesign d;
        d.border = BorderStyle::None;
        d.showInTaskbar = false;
        d.width = 3000;
        d.height = 1500;
        return d;
    }
    void buildControls() override {}
};

TEST_F(FormWindowTest, BorderlessFormHasNoFrameAndStaysOffTheTaskbar) {
    auto& bare = app().instance<BorderlessForm>();
    bare.show();
    HWND h = reinterpret_cast<HWND>(bare.hWnd());
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_NE(GetWindow(h, GW_OWNER), nullptr);
    RECT outer, client;
    GetWindowRect(h, &outer);
    GetClientRect(h, &client);
    EXPECT_EQ(outer.right - outer.left, client.right);
    // Centred on the screen when the design does not place it.
    EXPECT_EQ(bare.left(), (ui.screenWidth() - 3000) / 2);
}

TEST_F(FormWindowTest, MouseOnTheBareSurfaceRaisesFormEventsInTwips) {
    std::vector<std::string> seen;
    form().show();
    form().onMouseDown = [&](int b, int, Twips x, Twips y) {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    form().onMouseUp = [&](int b, int, Twips, Twips) { seen.push_back("up " + std::to_string(b)); };
    form().onClick = [&] { seen.push_back("click"); };
    const Scale s = Scale::screen();
    SendMessageW(formHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 6));
    SendMessageW(formHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(10, 6));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "down 1 " + std::to_string(s.twips(10)) + "," + std::to_string(s.twips(6)));
    EXPECT_EQ(seen[1], "up 1");
    EXPECT_EQ(seen[2], "click");
}

struct HostForm : Form {
    HostForm() : Form("frmHost") {}
    FormDesign formDesign() override { return FormDesign{.width = 9000, .height = 7000, .left = 0, .top = 0}; }
    void buildControls() override {
        add({.kind = Kind::Picture, .name = "PicMDI1", .left = 600, .top = 600, .width = 8000, .height = 6000});
    }
};

TEST_F(FormWindowTest, FormPutIntoAnotherWindowKeepsItsPlaceInItAndSurvivesIt) {
    auto& host = app().instance<HostForm>();
    host.show();
    form().show();
    HWND guest = formHwnd();
    SetParent(guest, reinterpret_cast<HWND>(host.c("PicMDI1").hWnd()));
    form().move(300, 150, form().width(), form().height());
    EXPECT_EQ(placeOf(guest).left, Scale::screen().px(300));
    RECT before;
    GetWindowRect(guest, &before);
    host.unload();
    app().doEvents();
    ASSERT_TRUE(IsWindow(guest));
    EXPECT_EQ(GetAncestor(guest, GA_PARENT), GetDesktopWindow());
    RECT after;
    GetWindowRect(guest, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(form().left(), Scale::screen().twips(after.left));
    EXPECT_TRUE(IsWindowVisible(guest));
}

TEST_F(FormWindowTest, ReloadAfterUnloadBuildsFreshWindows) {
    form().show();
    HWND first = hwndOf("lblCount");
    form().c("lblCount").setCaption("changed");
    form().unload();
    form().show();
    HWND second = hwndOf("lblCount");
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(textOf(second), L"design");
    app().doEvents();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(second));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
