#include <thread>

#include "BoxCloser.h"
#include "Win32Fixture.h"
#include "runtime/win32/Cursors.h"

namespace tavlo::rt::win32::test {
namespace {

using PointersTest = Win32Test;

// The cursor the form sets when the mouse is over a window of it.
HCURSOR cursorOver(HWND form, HWND under) {
    SetCursor(nullptr);
    SendMessageW(form, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

TEST_F(PointersTest, ControlAndFormPointersShowOverTheirWindows) {
    form().show();
    form().c("lblCount").setMousePointer(PointerMove);
    form().setMousePointer(PointerArrow);
    EXPECT_EQ(cursorOver(formHwnd(), hwndOf("lblCount")), cursorFor(PointerMove));
    EXPECT_EQ(cursorOver(formHwnd(), formHwnd()), cursorFor(PointerArrow));
}

TEST_F(PointersTest, ScreenPointerOverridesEveryOtherUntilItIsReset) {
    form().show();
    form().c("lblCount").setMousePointer(PointerMove);
    app().setScreenPointer(PointerHourglass);
    EXPECT_EQ(cursorOver(formHwnd(), hwndOf("lblCount")), cursorFor(PointerHourglass));
    EXPECT_EQ(cursorOver(formHwnd(), hwndOf("txtNo1")), cursorFor(PointerHourglass));
    app().setScreenPointer(PointerDefault);
    EXPECT_EQ(cursorOver(formHwnd(), hwndOf("lblCount")), cursorFor(PointerMove));
}

TEST_F(PointersTest, LineLiesInAWindowAroundItsTwoPoints) {
    form().show();
    form().c("linA").setLine(150, 300, 3150, 300);
    const Scale s = Scale::screen();
    const RECT r = placeOf(hwndOf("linA"));
    EXPECT_EQ(r.left, s.px(150));
    EXPECT_EQ(r.top, s.px(300));
    EXPECT_EQ(r.right, s.px(3150) + 1);
    EXPECT_EQ(r.bottom - r.top, 1);
    EXPECT_EQ(SendMessageW(hwndOf("linA"), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

struct MenuForm : Form {
    MenuForm() : Form("frmMenu") {}
    std::vector<std::string> clicked;
    FormDesign formDesign() override { return FormDesign{.caption = "Menu", .width = 3000, .height = 2000}; }
    void buildControls() override {
        add({.kind = Kind::Menu, .name = "mnuTray", .visible = false});
        item("mnuHidden", "Hidden", false);
        item("mnuOpen", "Open", true);
        item("mnuSep", "-", true);
        item("mnuExit", "Shut Down", true);
    }
    void item(const std::string& name, const std::string& caption, bool visible) {
        add({.kind = Kind::Menu, .name = name, .container = "mnuTray", .text = caption, .visible = visible})
            .onClick = [this, name] { clicked.push_back(name); };
    }
};

// Picks the item `downs` steps down in the next pop-up menu.
void pickFromMenu(int downs) {
    for (int i = 0; i < 2000; ++i) {
        HWND menu = findOwnWindow(L"#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            for (int d = 0; d < downs; ++d) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
            return;
        }
        Sleep(10);
    }
}

TEST_F(PointersTest, PopupMenuClicksTheChosenItemPassingSeparatorsAndHiddenItems) {
    auto& f = app().instance<MenuForm>();
    f.show();
    std::thread picker(pickFromMenu, 2);  // Open, (separator), Shut Down
    ui.popupMenu(f, f.c("mnuTray"));
    picker.join();
    EXPECT_EQ(f.clicked, (std::vector<std::string>{"mnuExit"}));
}

TEST_F(PointersTest, FormShowsTheMenuOfAnotherForm) {
    auto& menus = app().instance<MenuForm>();
    form().show();  // the window showing it; the menu form stays hidden
    std::thread picker(pickFromMenu, 1);
    ui.popupMenu(form(), menus.c("mnuTray"));
    picker.join();
    EXPECT_EQ(menus.clicked, (std::vector<std::string>{"mnuOpen"}));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
