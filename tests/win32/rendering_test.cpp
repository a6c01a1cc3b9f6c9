// The model as real windows: they take the pixels of their twips and the model's
// changes at once, what the user does reaches the model as its events, and the
// loop runs timers, boxes, the input box and the errors that escape a handler.
#include "WineHost.h"

#include <commctrl.h>

#include "runtime/ErrorReport.h"
#include "runtime/Grid.h"
#include "runtime/win32/InputBox.h"

static bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

namespace tavlo::rt::win32::test {
namespace {

using Events = std::vector<std::string>;

std::wstring textOf(HWND h) {
    wchar_t buf[256] = {};
    GetWindowTextW(h, buf, 256);
    return buf;
}

TEST_F(Win32Test, WindowsTakeThePixelsOfTheirTwipsAndTheModelsChangesAtOnce) {
    form().show();
    const struct {
        const char* name;
        Twips left, top, width, height;
    } rows[] = {{"", 1500, 1200, 7200, 6000},          {"lblCount", 150, 300, 1500, 300},
                {"txtNo1", 150, 750, 1500, 315},       {"lblIn", 300, 150, 1200, 240},
                {"MsfInfectd", 150, 900, 5400, 2400}};  // the last two inside picScan
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const RECT r = placeOf(*row.name ? hwndOf(row.name) : formHwnd());
        EXPECT_EQ(r, (RECT{px(row.left), px(row.top), px(row.left) + px(row.width), px(row.top) + px(row.height)}));
    }
    EXPECT_EQ(GetParent(hwndOf("lblIn")), hwndOf("picScan"));
    form().c("linA").setLine(150, 300, 3150, 300);
    form().c("picScan").move(300, 1650, 4500, 3000);
    form().c("lblCount").setCaption("7 found");
    form().c("cmdGo").setVisible(false);
    form().c("chkA").setEnabled(false);
    form().c("chkA").setValue(2);
    form().setCaption("Renamed");
    form().c("OptB").setFont(Font{"Arial", 12, true, false});
    form().c("OptB").setToolTip("Start");
    EXPECT_EQ(placeOf(hwndOf("linA")), (RECT{px(150), px(300), px(3150) + 1, px(300) + 1}));
    EXPECT_EQ(SendMessageW(hwndOf("linA"), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_EQ(placeOf(hwndOf("picScan")), (RECT{px(300), px(1650), px(300) + px(4500), px(1650) + px(3000)}));
    EXPECT_EQ(textOf(hwndOf("lblCount")), L"7 found");
    EXPECT_FALSE(IsWindowVisible(hwndOf("cmdGo")));
    EXPECT_FALSE(IsWindowEnabled(hwndOf("chkA")));
    EXPECT_EQ(SendMessageW(hwndOf("chkA"), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(textOf(formHwnd()), L"Renamed");
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwndOf("OptB"), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(std::pair(lf.lfWeight, lf.lfHeight), std::pair(LONG{FW_BOLD}, LONG(-px(240))));  // 12 points
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    HWND tip = findOwnWindow(TOOLTIPS_CLASSW, nullptr, false);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), formHwnd());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
}

void type(HWND h, const std::string& keys, int caret = 5) {
    SendMessageW(h, EM_SETSEL, caret, caret);
    for (char k : keys) SendMessageW(h, WM_CHAR, static_cast<unsigned char>(k), 1);
}

TEST_F(Win32Test, WhatTheUserDoesRaisesTheModelsEvents) {
    const std::string x = std::to_string(twips(10)), y = std::to_string(twips(6));
    const struct {
        const char* what;
        void (*act)(Win32Test&);
        Events events;
    } rows[] = {
        {"box ticked and unticked",
         [](Win32Test& t) { for (int i : {1, 2}) SendMessageW(t.hwndOf("chkA"), BM_CLICK, i, 0); },
         {"chkA.Click=1", "chkA.Click=0"}},
        {"greyed box clicked", [](Win32Test& t) {
             t.form().c("chkA").setValue(2);
             SendMessageW(t.hwndOf("chkA"), BM_CLICK, 0, 0);
         }, {"chkA.Click=2", "chkA.Click=0"}},
        {"option set", [](Win32Test& t) { SendMessageW(t.hwndOf("OptB"), BM_CLICK, 0, 0); }, {"OptB.Click=-1"}},
        {"button pressed", [](Win32Test& t) { SendMessageW(t.hwndOf("cmdGo"), BM_CLICK, 0, 0); }, {"cmdGo.Click=0"}},
        {"text typed", [](Win32Test& t) { SetWindowTextW(t.hwndOf("txtNo1"), L"typed \u00e9"); },
         {"Change=typed \xc3\xa9"}},
        {"text from code", [](Win32Test& t) { t.form().c("txtNo1").append("."); }, {"Change=Text1."}},
        {"keys past the limit", [](Win32Test& t) { type(t.hwndOf("txtNo1"), "zzzz"); },
         {"Change=Text1z", "Change=Text1zz", "Change=Text1zzz"}},
        {"keys changed or swallowed", [](Win32Test& t) {
             t.form().c("txtNo1").onKeyPress = [](int& key) { key = key == 'a' ? 'b' : key == 'x' ? 0 : key; };
             type(t.hwndOf("txtNo1"), "ax");
         }, {"Change=Text1b"}},
        {"label clicked", [](Win32Test& t) { click(t.hwndOf("lblCount"), 3, 3); }, {"lblCount.Click=0"}},
        {"label right-clicked", [](Win32Test& t) { click(t.hwndOf("lblCount"), 3, 3, WM_RBUTTONDOWN); }, {}},
        {"label released outside", [](Win32Test& t) { click(t.hwndOf("lblCount"), -20, 3); }, {}},
        {"message taken by the form, then the close box", [](Win32Test& t) {  // the tray's callbacks come so
             auto& f = t.form();
             HWND h = t.formHwnd();
             f.onMessage = [&f](unsigned msg, std::uintptr_t, std::intptr_t lp) { return msg == WM_CLOSE && lp; };
             SendMessageW(h, WM_CLOSE, 0, 1);
             f.events.push_back(std::to_string(f.loaded()));
             SendMessageW(h, WM_CLOSE, 0, 0);
             f.events.push_back(std::to_string(f.loaded() || IsWindowVisible(h)));
         }, {"1", "0"}},
        {"form pressed and key typed", [](Win32Test& t) {
             auto& f = t.form();
             f.onMouseDown = [&f](int b, int, Twips x, Twips y) {
                 f.events.push_back(std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
             };
             f.onKeyPress = [&f](int& key) { f.events.push_back("key " + std::to_string(key)); };
             SendMessageW(t.formHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 6));
             SendMessageW(t.formHwnd(), WM_CHAR, 'q', 1);
         }, {"1 " + x + "," + y, "key 113"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        form().unload();
        form().show();
        row.act(*this);
        EXPECT_EQ(std::exchange(form().events, {}), row.events);
    }
}

TEST_F(Win32Test, GridClickFindsTheCellUnderTheMouseAsScrolled) {
    form().show();
    auto& grid = form().grid("MsfInfectd");
    grid.setCols(4);
    grid.setRows(20);
    for (auto [col, width] : {std::pair{0, 300}, {1, 0}, {2, 2400}, {3, 1200}}) grid.setColWidth(col, width);
    Events seen;
    grid.onClick = [&] { seen.push_back(std::to_string(grid.mouseRow()) + "," + std::to_string(grid.mouseCol())); };
    grid.onScroll = [&] { seen.push_back("scroll " + std::to_string(grid.topRow())); };
    HWND h = hwndOf("MsfInfectd");
    click(h, px(300) + 5, 3 * px(240) + 2);  // line 3, the hidden column 1 skipped
    EXPECT_EQ(grid.cellTop(), 3 * 240);
    for (int i = 0; i < 2; ++i) SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0);
    pump();                                   // the user clicks on what is drawn
    click(h, px(2700) + 5, 2 * px(240) + 1);  // line 2 shows row 4
    click(h, 2, 2);                            // the fixed row stays in place
    SendMessageW(h, WM_VSCROLL, SB_BOTTOM, 0);
    const int top = grid.topRow();
    SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0);  // the last row is shown: no further
    EXPECT_EQ(seen, (Events{"3,2", "scroll 2", "scroll 3", "4,3", "0,0", "scroll " + std::to_string(top)}));
    EXPECT_GT(top, 3);
}

// Yields until the condition holds; a bounded number of times.
bool yieldUntil(App& app, const std::function<bool()>& cond) {
    for (int i = 0; i < 2000 && !cond(); ++i, Sleep(5)) app.doEvents();
    return cond();
}

TEST_F(Win32Test, TimersTickInTheYieldAndUnderAMessageBoxAndMayUnloadTheirForm) {
    auto& t = form().timer("tmrA");
    t.setEnabled(true);
    EXPECT_TRUE(yieldUntil(app(), [&] { return form().ticks >= 2; }));
    std::atomic<int> ticks{0};
    t.onTimer = [&] { ++ticks; };
    BoxCloser closer(L"Waiting", IDNO, [&](HWND) { return ticks >= 3; });
    EXPECT_EQ(app().msgBox("Wait for the timer", YesNo, "Waiting"), No);
    EXPECT_EQ(closer.text(), L"Wait for the timer");
    t.onTimer = [this] { form().unload(); };
    EXPECT_TRUE(yieldUntil(app(), [&] { return !form().loaded(); }));
}

// A window unloaded under a box it owns stays while the box is up and goes
// when it closes, also when the box is not the program's own (the shell's,
// for a link that no program opens).
TEST_F(Win32Test, WindowUnloadedUnderABoxNotOfTheProgramGoesWhenTheBoxCloses) {
    form().show();
    HWND h = formHwnd();
    form().timer("tmrA").onTimer = [this] { form().unload(); };
    form().timer("tmrA").setEnabled(true);
    std::atomic<int> waited{0};
    BoxCloser closer(L"Error", IDOK, [&](HWND) { return !IsWindowVisible(h) && ++waited > 30; });
    MessageBoxW(h, L"No program is associated", L"Error", MB_ICONERROR);
    EXPECT_EQ(closer.text(), L"No program is associated");
    EXPECT_TRUE(yieldUntil(app(), [&] { return !IsWindow(h); }));
}

// Ticks go on under an open report: a second report would stay open for good.
TEST_F(Win32Test, ErrorEscapingAHandlerIsShownOnceAtATimeAndTheProgramGoesOn) {
    form().show();
    form().c("cmdGo").onClick = [] { throw Error("Path not found"); };
    BoxCloser first(L"Tavlo");
    SendMessageW(hwndOf("cmdGo"), BM_CLICK, 0, 0);
    EXPECT_EQ(first.text(), L"Path not found");
    std::atomic<int> ticks{0};
    auto& t = form().timer("tmrA");
    t.onTimer = [&] {
        if (++ticks < 100) throw Error("tick failed");
    };
    BoxCloser second(L"Tavlo", IDOK, [&](HWND) { return ticks >= 5 && (ticks = 100); });
    t.setEnabled(true);
    EXPECT_TRUE(yieldUntil(app(), [&] { return ticks >= 103; }));
    EXPECT_EQ(second.text(), L"tick failed");
}

// The input box stands over the program's window in front, which takes no
// input meanwhile.
TEST_F(Win32Test, InputBoxGivesTheTypedTextOrNothingAndHoldsTheWindowBelow) {
    form().show();
    HWND main = formHwnd();
    for (bool ok : {true, false}) {
        std::atomic<bool> held{false};
        BoxCloser typist(L"Add path", ok ? IDOK : IDCANCEL, [&](HWND box) {
            held = GetWindow(box, GW_OWNER) == main && !IsWindowEnabled(main);
            return SetDlgItemTextW(box, InputBox::kEditId, L"E:\\a.exe");
        }, L"TavloInputBox");
        const auto typed = app().inputBox("Path?", "Add path", "C:\\");
        EXPECT_EQ(typed, ok ? std::optional<std::string>("E:\\a.exe") : std::nullopt);
        EXPECT_TRUE(held && IsWindowEnabled(main));
    }
}

}  // namespace
}  // namespace tavlo::rt::win32::test
