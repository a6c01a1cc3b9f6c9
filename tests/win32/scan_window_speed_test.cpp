// The scan in a real window: the walk writes the file counter and the result
// cells and yields once per file, and the window must take those writes
// without painting at each one. Also times a scan of a few thousand files through the window
// (printed as files per second; TAVLO_SCAN_FILES sets the number of files).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Globals.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"
#include "runtime/App.h"
#include "runtime/Grid.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"
#include "scanner/ScanEngine.h"

namespace tavlo::scanner {
namespace {

using platform::win32::widen;

// The part of the Scan page that the walk writes to, laid out as on the page.
class ScanPage : public rt::Form {
public:
    ScanPage() : Form("frmScanPage") {}

protected:
    rt::FormDesign formDesign() override {
        rt::FormDesign d;
        d.caption = "Scan";
        d.width = 10550;
        d.height = 7000;
        d.border = rt::BorderStyle::Fixed;
        return d;
    }
    void buildControls() override {
        add({.kind = rt::Kind::Picture, .name = "picScan", .left = 2760, .top = 2280, .width = 7535, .height = 3975,
             .backColor = 0xE0E0E0});
        add({.kind = rt::Kind::Label, .name = "lblScnRslt", .container = "picScan", .left = 120, .top = 60,
             .width = 1200, .height = 195, .text = "Scan Result", .transparent = true});
        add({.kind = rt::Kind::Label, .name = "lblCntHd", .container = "picScan", .left = 4980, .top = 60,
             .width = 1080, .height = 195, .text = "Files Scanned", .transparent = true});
        add({.kind = rt::Kind::Label, .name = "lblCount", .container = "picScan", .left = 6120, .top = 60,
             .width = 1320, .height = 195, .text = "", .transparent = true});
        auto& grid = addGrid({.name = "MsfInfectd", .container = "picScan", .left = 120, .top = 360, .width = 6015,
                              .height = 3315});
        grid.setCols(7);
        grid.setRows(1);
        add({.kind = rt::Kind::TextBox, .name = "txtLastRow", .visible = false});
    }
};

// Counts the paint messages sent to a window (UpdateWindow and RedrawWindow
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
    SentPaints& operator=(const SentPaints&) = delete;
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

class ScanWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        root_ = platform::win32::narrow(temp) + "tavlo-scanwin-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryW(widen(root_).c_str(), nullptr);
        core::globals().ScanInProgress = rt::True;
        core::globals().AbortScanRequested = rt::False;
    }
    void TearDown() override {
        for (const std::string& f : made_) DeleteFileW(widen(f).c_str());
        RemoveDirectoryW(widen(root_).c_str());
        core::globals().ScanInProgress = rt::False;
    }
    void makeFiles(int n) {
        for (int i = 0; i < n; ++i) {
            // One file in fifty is risky and gives a row of the grid.
            const std::string name = root_ + "\\f" + std::to_string(i) + (i % 50 == 0 ? ".exe" : ".txt");
            HANDLE h = CreateFileW(widen(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(h, INVALID_HANDLE_VALUE);
            CloseHandle(h);
            made_.push_back(name);
        }
    }
    static void pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    ScanPage& page() { return scope.app().instance<ScanPage>(); }
    HWND hwndOf(const std::string& name) { return reinterpret_cast<HWND>(page().c(name).hWnd()); }

    std::unique_ptr<platform::win32::Win32System> sys = platform::win32::makeWin32System();
    rt::win32::Win32Ui ui;
    rt::win32::Win32Clock clock;
    rt::AppScope scope{ui, clock, sys->services};
    std::string root_;
    std::vector<std::string> made_;
};

TEST_F(ScanWindowTest, CellWritesAndCounterChangesPaintOnlyThroughTheLoop) {
    page().show();
    pump();
    rt::Grid& grid = page().grid("MsfInfectd");
    {
        SentPaints paints(hwndOf("MsfInfectd"));
        for (int r = 1; r <= 40; ++r) {
            grid.setRows(r + 1);
            for (int c = 1; c <= 5; ++c) grid.setTextMatrix(r, c, "cell " + std::to_string(r));
        }
        EXPECT_EQ(paints.count(), 0);
    }
    {
        SentPaints paints(hwndOf("lblCount"));
        for (int i = 1; i <= 40; ++i) page().c("lblCount").setCaption(std::to_string(i));
        EXPECT_EQ(paints.count(), 0);
    }
    // What was written waits to be painted by the loop.
    RECT pending;
    EXPECT_TRUE(GetUpdateRect(hwndOf("MsfInfectd"), &pending, FALSE));
    EXPECT_TRUE(GetUpdateRect(hwndOf("lblCount"), &pending, FALSE));
    pump();
    EXPECT_FALSE(GetUpdateRect(hwndOf("MsfInfectd"), &pending, FALSE));
    EXPECT_FALSE(GetUpdateRect(hwndOf("lblCount"), &pending, FALSE));
}

TEST_F(ScanWindowTest, YieldsPaintAtMostOnceInAShortWhileButTakeEveryOtherMessage) {
    page().show();
    pump();
    Sleep(50);
    rt::app().doEvents();  // the first yield in a while paints
    const ULONGLONG painted = GetTickCount64();
    page().c("lblCount").setCaption("1");
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 7, 0, 0);
    rt::app().doEvents();
    RECT pending;
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_APP + 7, WM_APP + 7, PM_REMOVE));
    if (GetTickCount64() - painted < 20) {
        EXPECT_TRUE(GetUpdateRect(hwndOf("lblCount"), &pending, FALSE));
    }
    Sleep(50);
    rt::app().doEvents();
    EXPECT_FALSE(GetUpdateRect(hwndOf("lblCount"), &pending, FALSE));
}

TEST_F(ScanWindowTest, ScanThroughTheWindowCountsEveryFile) {
    const char* env = std::getenv("TAVLO_SCAN_FILES");
    const int n = env ? std::atoi(env) : 2000;
    makeFiles(n);
    page().show();
    pump();
    const auto start = std::chrono::steady_clock::now();
    ScanFolder(root_, page());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("scan through the window: %d files in %.0f ms, %.0f files per second\n", n, seconds * 1000,
                n / seconds);
    EXPECT_EQ(page().c("lblCount").caption(), std::to_string(n));
    EXPECT_EQ(page().grid("MsfInfectd").rows(), 1 + (n + 49) / 50);
}

}  // namespace
}  // namespace tavlo::scanner
