#include "BoxCloser.h"
#include "Win32Fixture.h"

#include <commctrl.h>

#include "runtime/Grid.h"

namespace tavlo::rt::win32::test {
namespace {

using ControlsTest = Win32Test;

TEST_F(ControlsTest, ClickOnACheckBoxRaisesOneClickWithTheNewValue) {
    form().show();
    HWND box = hwndOf("chkA");
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(form().events, (std::vector<std::string>{"chkA.Click=1"}));
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(GetParent(box), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(form().events.back(), "chkA.Click=0");
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(form().events.size(), 2u);
}

TEST_F(ControlsTest, GreyedBoxShowsItsStateAndAClickUnticksIt) {
    form().show();
    HWND box = hwndOf("chkA");
    form().c("chkA").setValue(2);
    EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    SendMessageW(box, BM_CLICK, 0, 0);
    EXPECT_EQ(form().c("chkA").value(), 0);
    EXPECT_EQ(form().events.back(), "chkA.Click=0");
}

TEST_F(ControlsTest, OptionButtonClickSetsItAndClearsItsSibling) {
    form().show();
    SendMessageW(hwndOf("OptB"), BM_CLICK, 0, 0);
    EXPECT_EQ(form().c("OptB").value(), True);
    EXPECT_EQ(form().c("OptA").value(), False);
    EXPECT_EQ(SendMessageW(hwndOf("OptA"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(hwndOf("OptB"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(form().events, (std::vector<std::string>{"OptB.Click"}));
}

TEST_F(ControlsTest, CommandButtonClickRaisesClick) {
    form().show();
    SendMessageW(hwndOf("cmdGo"), BM_CLICK, 0, 0);
    EXPECT_EQ(form().events, (std::vector<std::string>{"cmdGo.Click"}));
}

TEST_F(ControlsTest, TypedTextRaisesChangeOnce) {
    form().show();
    SetWindowTextW(hwndOf("txtNo1"), L"typed \u00e9");
    EXPECT_EQ(form().c("txtNo1").text(), "typed \xc3\xa9");
    EXPECT_EQ(form().changes, 1);
}

TEST_F(ControlsTest, TextFromCodeReachesTheBoxWithoutASecondChange) {
    form().show();
    form().c("txtNo1").append(".");
    EXPECT_EQ(textOf(hwndOf("txtNo1")), L"Text1.");
    EXPECT_EQ(form().changes, 1);
    EXPECT_EQ(form().events, (std::vector<std::string>{"txtNo1.Change=Text1."}));
}

TEST_F(ControlsTest, KeyPressHandlerChangesOrSwallowsTypedKeys) {
    form().show();
    form().c("txtNo1").onKeyPress = [](int& key) {
        if (key == 'a') key = 'b';
        if (key == 'x') key = 0;
    };
    HWND edit = hwndOf("txtNo1");
    SendMessageW(edit, EM_SETSEL, 5, 5);
    SendMessageW(edit, WM_CHAR, 'a', 1);
    SendMessageW(edit, WM_CHAR, 'x', 1);
    EXPECT_EQ(form().c("txtNo1").text(), "Text1b");
    EXPECT_EQ(form().changes, 1);
}

TEST_F(ControlsTest, LeavingTheTextBoxRaisesLostFocus) {
    form().show();
    int lost = 0;
    form().c("txtNo1").onLostFocus = [&] { ++lost; };
    form().c("txtNo1").setFocus();
    EXPECT_EQ(GetFocus(), hwndOf("txtNo1"));
    form().c("cmdGo").setFocus();
    EXPECT_EQ(lost, 1);
}

TEST_F(ControlsTest, KeysOnTheFormSurfaceGoToItsKeyPress) {
    form().show();
    std::vector<int> keys;
    form().onKeyPress = [&](int& key) { keys.push_back(key); };
    SendMessageW(formHwnd(), WM_CHAR, 'q', 1);
    EXPECT_EQ(keys, (std::vector<int>{'q'}));
}

TEST_F(ControlsTest, LabelClickRaisesMouseEventsThenClick) {
    form().show();
    std::vector<std::string> seen;
    auto& label = form().c("lblCount");
    label.onMouseDown = [&](int b, int, Twips, Twips) { seen.push_back("down" + std::to_string(b)); };
    label.onMouseUp = [&](int b, int, Twips, Twips) { seen.push_back("up" + std::to_string(b)); };
    label.onClick = [&] { seen.push_back("click"); };
    HWND h = hwndOf("lblCount");
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(seen, (std::vector<std::string>{"down1", "up1", "click", "down2", "up2"}));
}

TEST_F(ControlsTest, ReleaseOutsideTheControlRaisesNoClick) {
    form().show();
    HWND h = hwndOf("lblCount");
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(-20, 3));
    EXPECT_TRUE(form().events.empty());
}

TEST_F(ControlsTest, FontAndToolTipChangesReachTheWindow) {
    form().show();
    form().c("cmdGo").setFont(Font{"Arial", 12, true, false});
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwndOf("cmdGo"), WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, -MulDiv(12, Scale::screen().dpi, 72));
    form().c("cmdGo").setToolTip("Start");
    HWND tip = findOwnWindow(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), formHwnd());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

// The grid of the sample: 10 rows of 240 twips, column 1 hidden.
struct GridTest : Win32Test {
    Grid& grid() { return form().grid("MsfInfectd"); }
    HWND hwnd() { return hwndOf("MsfInfectd"); }
    void SetUp() override {
        form().show();
        grid().setCols(4);
        grid().setRows(20);
        grid().setColWidth(0, 300);
        grid().setColWidth(1, 0);
        grid().setColWidth(2, 2400);
        grid().setColWidth(3, 1200);
        grid().onClick = [this] { clicks.push_back(grid().mouseRow() * 10 + grid().mouseCol()); };
        grid().onScroll = [this] { ++scrolls; };
    }
    void clickAt(int x, int y) {
        SendMessageW(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    std::vector<int> clicks;
    int scrolls = 0;
};

TEST_F(GridTest, ClickAtAPixelFindsTheCellAndItsTop) {
    const Scale s = Scale::screen();
    const int rowPx = s.px(240);
    clickAt(s.px(300) + 5, 3 * rowPx + 2);  // line 3: row 3, the hidden column skipped
    ASSERT_EQ(clicks, (std::vector<int>{32}));
    EXPECT_EQ(grid().row(), 3);
    EXPECT_EQ(grid().col(), 2);
    EXPECT_EQ(grid().cellTop(), 3 * 240);
}

TEST_F(GridTest, ScrolledGridMapsLinesFromTopRow) {
    const Scale s = Scale::screen();
    SendMessageW(hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid().topRow(), 3);
    EXPECT_EQ(scrolls, 2);
    clickAt(s.px(2700) + 5, 2 * s.px(240) + 1);  // line 2 shows row 3 + 1
    ASSERT_EQ(clicks, (std::vector<int>{43}));
    EXPECT_EQ(grid().cellTop(), 2 * 240);
    clickAt(2, 2);  // the fixed header row stays in place
    EXPECT_EQ(clicks.back(), 0);
}

TEST_F(GridTest, ScrollStopsWhenTheLastRowIsShown) {
    SendMessageW(hwnd(), WM_VSCROLL, SB_BOTTOM, 0);
    const int top = grid().topRow();
    EXPECT_GT(top, 1);
    EXPECT_EQ(scrolls, 1);
    SendMessageW(hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid().topRow(), top);
    EXPECT_EQ(scrolls, 1);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(hwnd(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, top);
}

TEST_F(GridTest, DisabledGridTakesNoClicks) {
    grid().setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(hwnd()));
    grid().setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(hwnd()));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
