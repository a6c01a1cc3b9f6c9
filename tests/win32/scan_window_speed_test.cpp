// The scan in a real window: the walk writes the file counter and the result
// cells once per file, and the window takes those writes without painting or
// telling the system at each one; the loop paints them later.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "WineHost.h"

namespace tavlo::rt::win32::test {
namespace {

// Counts the paint messages sent to one window (UpdateWindow and RedrawWindow
// with RDW_UPDATENOW send them at once; other paints go through the loop).
class SentPaints {
public:
    explicit SentPaints(HWND target) {
        target_ = target;
        count_ = 0;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &SentPaints::hook, nullptr, GetCurrentThreadId());
    }
    ~SentPaints() { UnhookWindowsHookEx(hook_); }
    SentPaints(const SentPaints&) = delete;
    int count() const { return count_; }

private:
    static LRESULT CALLBACK hook(int code, WPARAM wp, LPARAM lp) {
        const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (code == HC_ACTION && m->hwnd == target_ && m->message == WM_PAINT) ++count_;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    static inline HWND target_ = nullptr;
    static inline int count_ = 0;
    HHOOK hook_ = nullptr;
};

class ScanWindowTest : public Win32Test {
protected:
    void SetUp() override {
        form().show();
        pump();
        Sleep(40);
        app().doEvents();
    }
    static void pump() {
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    }
    static bool waitsForPaint(HWND h) { return GetUpdateRect(h, nullptr, FALSE) != FALSE; }
    static std::wstring textOf(HWND h) {
        wchar_t text[16] = {};
        GetWindowTextW(h, text, 16);
        return text;
    }
    Grid& grid() { return form().grid("MsfInfectd"); }
    // The grid's client area as the screen holds it.
    std::vector<DWORD> onScreen() {
        HWND h = hwndOf("MsfInfectd");
        RECT r;
        GetClientRect(h, &r);
        Canvas copy(r.right, r.bottom);
        HDC screen = GetDC(h);
        BitBlt(copy.dc(), 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(h, screen);
        return copy.pixels();
    }
    // Whether the screen holds what a full repaint draws.
    bool showsWhatItHolds() {
        const std::vector<DWORD> shown = onScreen();
        RedrawWindow(hwndOf("MsfInfectd"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return onScreen() == shown;
    }
    void fill(int rows) {
        grid().setRows(rows + 1);
        for (int r = 1; r <= rows; ++r) grid().setTextMatrix(r, 1, "E:\\f" + std::to_string(r) + ".exe");
    }
};

TEST_F(ScanWindowTest, CellWritesAndCounterChangesWaitForTheLoopToPaint) {
    grid().setCols(7);
    {
        SentPaints paints(hwndOf("MsfInfectd"));
        for (int r = 1; r <= 40; ++r) {
            grid().setRows(r + 1);
            for (int c = 1; c <= 5; ++c) grid().setTextMatrix(r, c, "cell " + std::to_string(r));
        }
        EXPECT_EQ(paints.count(), 0);
    }
    {
        SentPaints paints(hwndOf("lblCount"));
        for (int i = 1; i <= 40; ++i) form().c("lblCount").setCaption(std::to_string(i));
        EXPECT_EQ(paints.count(), 0);
    }
    EXPECT_TRUE(waitsForPaint(hwndOf("MsfInfectd")));
    EXPECT_TRUE(waitsForPaint(hwndOf("lblCount")));
    pump();
    EXPECT_FALSE(waitsForPaint(hwndOf("MsfInfectd")));
    EXPECT_FALSE(waitsForPaint(hwndOf("lblCount")));
}

// Rows appended below the last line in view leave the client area as painted;
// the next paint brings the scroll bar's range up to date.
TEST_F(ScanWindowTest, RowsAppendedBelowTheViewMoveOnlyTheScrollBar) {
    grid().setCols(7);
    grid().setRows(60);
    pump();
    HWND h = hwndOf("MsfInfectd");
    grid().setRows(61);
    grid().setTextMatrix(60, 1, "E:\\below.exe");
    RECT toPaint{};
    GetUpdateRect(h, &toPaint, FALSE);
    EXPECT_TRUE(IsRectEmpty(&toPaint));
    pump();
    SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(h, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 60);
}

// After every paint of the loop the grid shows what it holds, whatever came
// between: the first row shown moved while only the scroll bar waited for its
// paint, or a write that changed nothing shown while the rows fit (no scroll
// bar to mark). A click then acts on the row drawn under the pointer, even
// when the grid has moved on before its next paint.
TEST_F(ScanWindowTest, EveryPaintShowsWhatTheGridHolds) {
    grid().setCols(3);
    fill(60);
    pump();
    fill(61);
    grid().setTopRow(48);
    pump();
    EXPECT_TRUE(showsWhatItHolds());
    grid().setTopRow(20);
    click(hwndOf("MsfInfectd"), 10, px(240) * 3 + 8);  // the third row shown
    EXPECT_EQ(grid().row(), 50);

    fill(3);
    grid().setTopRow(1);
    grid().setTextMatrix(1, 2, "[Ignored]");
    pump();
    grid().setTextMatrix(1, 2, "[Ignored]");
    pump();
    grid().setTextMatrix(2, 2, "[Deleted]");
    pump();
    EXPECT_TRUE(showsWhatItHolds());
}

// The program reads the counter's caption back at once; other programs read
// the system's copy, which only the paint brings up to date.
TEST_F(ScanWindowTest, CounterTextIsCurrentInTheProcessAndForOthersAfterThePaint) {
    HWND label = hwndOf("lblCount");
    const auto systemText = [label] {
        wchar_t system[16] = {};
        InternalGetWindowText(label, system, 16);
        return std::wstring(system);
    };
    form().c("lblCount").setCaption("0");
    pump();
    for (int i = 1; i <= 25; ++i) form().c("lblCount").setCaption(std::to_string(i));
    EXPECT_EQ(textOf(label), L"25");
    EXPECT_EQ(systemText(), L"0");
    pump();
    EXPECT_EQ(systemText(), L"25");
}

TEST_F(ScanWindowTest, YieldsBetweenPaintsStillTakeEveryPostedMessage) {
    form().c("lblCount").setCaption("1");
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    app().doEvents();
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE));
    // A later yield paints: the longest interval between two painting yields
    // is a quarter of a second; a loaded machine may stretch it.
    for (int i = 0; i < 40 && waitsForPaint(hwndOf("lblCount")); ++i) {
        Sleep(100);
        app().doEvents();
    }
    EXPECT_FALSE(waitsForPaint(hwndOf("lblCount")));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
