#include <atomic>
#include <thread>

#include "BoxCloser.h"
#include "Win32Fixture.h"
#include "runtime/ErrorReport.h"

namespace tavlo::rt::win32::test {
namespace {

using LoopTest = Win32Test;

// Yields until the condition holds; a bounded number of times.
template <class Cond>
bool yieldUntil(App& app, Cond cond) {
    for (int i = 0; i < 2000 && !cond(); ++i) {
        Sleep(5);
        app.doEvents();
    }
    return cond();
}

TEST_F(LoopTest, TimerTicksThroughTheMessageLoopOfTheYield) {
    auto& t = form().timer("tmrA");
    t.setEnabled(true);
    EXPECT_TRUE(clock.running(t));
    EXPECT_TRUE(yieldUntil(app(), [&] { return form().ticks >= 2; }));
    t.setEnabled(false);
    EXPECT_FALSE(clock.running(t));
}

TEST_F(LoopTest, TimerThatUnloadsItsFormStopsCleanly) {
    auto& t = form().timer("tmrA");
    t.onTimer = [this] { form().unload(); };
    t.setEnabled(true);
    EXPECT_TRUE(yieldUntil(app(), [&] { return !form().loaded(); }));
    app().doEvents();
    EXPECT_FALSE(form().loaded());
}

TEST_F(LoopTest, TimersKeepTickingWhileAMessageBoxIsOpen) {
    std::atomic<int> ticks{0};
    auto& t = form().timer("tmrA");
    t.onTimer = [&] { ++ticks; };
    t.setEnabled(true);
    BoxCloser closer(L"Waiting", IDOK, [&] { return ticks >= 3; });
    EXPECT_EQ(app().msgBox("Wait for the timer", OkOnly, "Waiting"), Ok);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(closer.text(), L"Wait for the timer");
}

TEST_F(LoopTest, MessageBoxReturnsTheButtonPressed) {
    BoxCloser closer(L"Tavlo", IDNO);
    EXPECT_EQ(app().msgBox("It will shut down Tavlo.", YesNoCancel | Information), No);
}

TEST_F(LoopTest, ErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
    form().show();
    form().c("cmdGo").onClick = [] { throw Error("Path not found"); };
    BoxCloser closer(L"Tavlo");
    SendMessageW(hwndOf("cmdGo"), BM_CLICK, 0, 0);
    EXPECT_EQ(closer.text(), L"Path not found");
    form().c("cmdGo").onClick = [this] { form().events.push_back("again"); };
    SendMessageW(hwndOf("cmdGo"), BM_CLICK, 0, 0);
    EXPECT_EQ(form().events, (std::vector<std::string>{"again"}));
}

TEST_F(LoopTest, ErrorEscapingATimerTickIsShownAndTheTimerRunsOn) {
    std::atomic<int> ticks{0};
    auto& t = form().timer("tmrA");
    t.onTimer = [&] {
        if (++ticks == 1) throw Error("first tick failed");
    };
    BoxCloser closer(L"Tavlo");
    t.setEnabled(true);
    EXPECT_TRUE(yieldUntil(app(), [&] { return ticks >= 3; }));
    EXPECT_EQ(closer.text(), L"first tick failed");
}

TEST_F(LoopTest, TimerFailingOnEveryTickShowsOneReportAtATime) {
    std::atomic<int> ticks{0};
    std::atomic<bool> failing{true};
    auto& t = form().timer("tmrA");
    t.onTimer = [&] {
        ++ticks;
        if (failing) throw Error("tick failed");
    };
    std::atomic<int> boxes{0};
    std::atomic<bool> stop{false};
    std::thread closer([&] {
        while (!stop) {
            HWND box = findOwnWindow(L"#32770", L"Tavlo");
            if (box && ticks >= 5) {
                failing = false;
                ++boxes;
                SendMessageW(box, WM_COMMAND, IDOK, 0);
                // A box being closed is still found for a moment: count it once.
                while (IsWindow(box) && !stop) Sleep(5);
            }
            Sleep(10);
        }
    });
    t.setEnabled(true);
    EXPECT_TRUE(yieldUntil(app(), [&] { return !failing && ticks >= 8; }));
    stop = true;
    closer.join();
    EXPECT_EQ(boxes, 1);
}

struct ModalForm : Form {
    ModalForm() : Form("frmModal") {}
    FormDesign formDesign() override { return FormDesign{.caption = "Info", .width = 3000, .height = 2000}; }
    void buildControls() override {
        addTimer("tmrClose", 30, true).onTimer = [this] { hide(); };
    }
};

TEST_F(LoopTest, ModalFormDisablesTheOtherWindowsUntilItIsHidden) {
    form().show();
    bool ownerDisabled = false;
    form().timer("tmrA").onTimer = [&] { ownerDisabled = !IsWindowEnabled(formHwnd()); };
    form().timer("tmrA").setEnabled(true);
    app().instance<ModalForm>().show(true);
    EXPECT_FALSE(app().instance<ModalForm>().visible());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(formHwnd()));
}

TEST_F(LoopTest, InputBoxGivesTheTypedTextOrNothingOnCancel) {
    std::thread typist([] {
        for (int i = 0; i < 2000; ++i) {
            HWND box = findOwnWindow(L"TavloInputBox", L"Add path");
            if (box && IsWindowVisible(box)) {
                SetDlgItemTextW(box, InputBox::kEditId, L"E:\\a.exe");
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    });
    EXPECT_EQ(app().inputBox("Path?", "Add path", "C:\\"), std::optional<std::string>("E:\\a.exe"));
    typist.join();
    std::thread canceller([] {
        for (int i = 0; i < 2000; ++i) {
            HWND box = findOwnWindow(L"TavloInputBox", L"Add path");
            if (box && IsWindowVisible(box)) {
                PostMessageW(box, WM_CLOSE, 0, 0);
                return;
            }
            Sleep(10);
        }
    });
    EXPECT_EQ(app().inputBox("Path?", "Add path", "C:\\"), std::nullopt);
    canceller.join();
}

TEST_F(LoopTest, ScreenPointerIsKeptAsTheModelSetsIt) {
    app().setScreenPointer(PointerHourglass);
    EXPECT_EQ(ui.context().cursors.screenPointer(), PointerHourglass);
    app().setScreenPointer(PointerDefault);
    EXPECT_EQ(ui.context().cursors.screenPointer(), PointerDefault);
    EXPECT_EQ(ui.screenWidth(), ui.context().scale.twips(GetSystemMetrics(SM_CXSCREEN)));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
