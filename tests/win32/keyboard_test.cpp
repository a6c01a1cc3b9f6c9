// The keyboard is where the user looks: while a box or modal window is up it
// is active, has the keyboard and stands above every window of the program,
// and the others are disabled; once it goes, the window beneath it is active
// and the control that had the keyboard has it again. Keys are posted to the
// window that has the keyboard, so that a key with nowhere to go goes nowhere.
#include "WineHost.h"

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "runtime/ErrorReport.h"
#include "runtime/win32/InputBox.h"
#include "runtime/win32/Modal.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUScrn.h"

namespace tavlo::rt::win32::test {
namespace {

using core::frm0;
using core::frmSplash;

std::string nameOf(HWND h) {
    wchar_t cls[64] = {}, text[64] = {};
    GetClassNameW(h, cls, 64);
    GetWindowTextW(h, text, 64);
    const std::string handle = std::to_string(reinterpret_cast<std::uintptr_t>(h));
    return h ? wine_host::narrow(cls) + " \"" + wine_host::narrow(text) + "\" " + handle : "none";
}

// The program's top-level windows, highest first.
std::vector<HWND> programWindows() {
    std::vector<HWND> all;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t cls[8] = {};
        GetClassNameW(h, cls, 8);  // the system's input method window is none of them
        if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId() && std::wstring(cls) != L"IME") {
            all.push_back(h);
        }
    }
    return all;
}

bool seen(HWND h) {
    RECT r, on, screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return IsWindowVisible(h) && !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) && GetWindowRect(h, &r) &&
           IntersectRect(&on, &r, &screen);
}

// One step of a situation, run from a timer tick: inside the box it opens or
// the box that is up. Then `active` is the active window and `focus` has the
// keyboard (by default the active window itself or a part of it). With a box
// up it is the one enabled window and the highest the user sees.
struct Step {
    std::string what;
    std::function<void()> act;
    std::function<HWND()> active;
    std::function<HWND()> focus = nullptr;
    bool boxUp = true;
};

struct Situation {
    std::string name;
    std::function<void()> scene;
    std::vector<Step> steps;
};

struct KeyboardTest : OwnDesktop, Win32Test {
    KeyboardTest() { frmSplash().ConfigurationLoaded = True; }  // its unload would ask, with a box nobody answers

    // The windows' loads, animations and polls stay out of the test; the
    // sample form's timer runs the steps.
    void quiet() {
        stopAllTimers();
        form().timer("tmrA").setEnabled(true);
    }
    core::FrmSplash& splash() {
        if (!frmSplash().loaded()) frmSplash().load();
        stopTimers(frmSplash());
        return frmSplash();
    }
    // The window that has the keyboard takes the key.
    static void press(WPARAM key) {
        if (HWND to = GetFocus()) {
            PostMessageW(to, WM_KEYDOWN, key, 1);
            PostMessageW(to, WM_KEYUP, key, 0xC0000001);
        }
    }
    static HWND box(const wchar_t* title) { return findOwnWindow(L"#32770", title); }
    // Closes what a failed step left open, so that the test ends.
    void closeWhatIsOpen() {
        EndMenu();
        for (const wchar_t* cls : {L"#32770", L"TavloInputBox"}) {
            if (HWND h = findOwnWindow(cls, nullptr)) PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
        }
        if (frmSplash().loaded() && frmSplash().modal()) frmSplash().CloseInfoSplash();
    }
    void expectKeys(const std::string& where, const Step& s) {
        const HWND active = s.active(), focus = s.focus ? s.focus() : nullptr, now = GetFocus();
        EXPECT_EQ(nameOf(GetActiveWindow()), nameOf(active)) << where;
        EXPECT_TRUE(IsWindowEnabled(active)) << where;
        EXPECT_EQ(nameOf(GetForegroundWindow()), nameOf(active)) << where;
        const bool inside = focus ? now == focus : now && (now == active || IsChild(active, now));
        EXPECT_TRUE(inside) << where << ": the keyboard is at " << nameOf(now);
        bool above = true;
        for (HWND h : programWindows()) {
            above = above && h != active;
            const bool enabled = IsWindowEnabled(h), wrong = s.boxUp ? h != active && enabled : !enabled;
            EXPECT_FALSE(wrong) << where << ": " << nameOf(h) << (enabled ? " enabled" : " disabled");
            EXPECT_FALSE(s.boxUp && above && seen(h)) << where << ": above the box " << nameOf(h);
        }
    }
    // Each tick checks the step before and runs the next.
    void run(const Situation& s) {
        s.scene();
        quiet();
        size_t next = 0;
        form().timer("tmrA").onTimer = [&] {
            if (next > 0 && next <= s.steps.size()) {
                expectKeys(s.name + ", " + s.steps[next - 1].what, s.steps[next - 1]);
            }
            if (next++ < s.steps.size()) return s.steps[next - 1].act();
            closeWhatIsOpen();
        };
        modalLoop([&] { return next > s.steps.size(); });
        form().timer("tmrA").setEnabled(false);
    }

    HWND main() { return hwnd(frm0().hWnd()); }
    HWND path() { return hwnd(frm0().c("txtPath1").hWnd()); }
    HWND sample() { return formHwnd(); }
    HWND text() { return hwndOf("txtNo1"); }
    // Start-up: the splash topmost, the main window shown after it.
    void startUp() {
        frm0().hide();
        splash().show();
        frm0().show();
        quiet();
    }
    // The caret in a text box of the sample window, or of the main window.
    void typing() {
        frmSplash().hide();
        form().show();
        SetFocus(text());
    }
    void typingInMain() {
        frmSplash().hide();
        frm0().show();
        quiet();
        frm0().OpenScanPage();
        SetFocus(path());
    }
};

TEST_F(KeyboardTest, TheBoxOnTopHasTheKeyboardAndHandsItBack) {
    auto onMain = [this] { return main(); };
    auto onPath = [this] { return path(); };
    auto onSample = [this] { return sample(); };
    auto onText = [this] { return text(); };
    auto onSplash = [this] { return hwnd(frmSplash().hWnd()); };
    auto question = [] { return box(L"Tavlo"); };
    const Step info{"Info box", [] { frm0().ShowInfoBox(); }, onSplash, onSplash};
    const Step ask{"question", [] { rt::app().msgBox("Go on?", OkOnly); }, question};
    const Step key{"a key", [] { press('A'); }, onSample, onText, false};
    const Step enter{"Enter", [] { press(VK_RETURN); }, onSample, onText, false};
    auto plugFullDesktop = [] {
        watch::frmNwUScrn().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
        watch::frmNwUScrn().show();
        watch::frmNwUScrn().c("txtmnScrn").append(".");
    };
    const Situation situations[] = {
        {"Info box at start-up", [this] { startUp(); },
         {info, {"a key", [] { press('A'); }, onMain, onMain, false}}},
        {"Tab in the Info box", [this] {
             typing();
             splash();
         },
         {info, {"Tab", [] { press(VK_TAB); }, onSample, onText, false}}},
        {"a box while the splash is up", [this] { startUp(); },
         {ask, {"Enter", [] { press(VK_RETURN); }, onMain, onMain, false}}},
        {"question", [this] { typing(); }, {ask, enter}},
        {"error report", [this] { typing(); },
         {{"error", [] { ErrorReport().step([] { throw Error("Disk full"); }); },
           [] { return box(L"An Error Occured"); }},
          enter}},
        {"input box", [this] { typing(); },
         {{"input box", [] { rt::app().inputBox("Path?"); }, [] { return findOwnWindow(L"TavloInputBox", L"Tavlo"); },
           [] { return GetDlgItem(findOwnWindow(L"TavloInputBox", L"Tavlo"), InputBox::kEditId); }},
          {"Escape", [] { press(VK_ESCAPE); }, onSample, onText, false}}},
        {"a box over the Info box", [this] {
             typing();
             splash();
         },
         {info, ask, {"Enter", [] { press(VK_RETURN); }, onSplash, onSplash}, key}},
        {"the Info box over a box", [this] {
             typing();
             splash();
         },
         {ask, info, {"a key", [] { press('A'); }, question}, enter}},
        {"a stick pulled mid-scan, then the tray menu", [this] {
             typingInMain();
             watch::frm1().load();
         },
         {{"Scanning Error", [] { rt::app().msgBox("Scanning Error...", OkOnly); }, question},
          {"stick pulled", [] { watch::frm1().CloseUsbAlerts(); }, question},
          {"tray menu", [] { watch::frm1().ShowTrayMenu(RightButton); }, question},
          {"Enter", [] { press(VK_RETURN); }, onMain, onPath, false}}},
        {"a stick plugged in full-desktop mode", [this] { typingInMain(); },
         {ask, {"stick plugged", [&] {
              plugFullDesktop();
              quiet();
          }, question},
          {"Enter", [] { press(VK_RETURN); }, onMain, onPath, false}}},
    };
    for (const Situation& s : situations) run(s);
}

}  // namespace
}  // namespace tavlo::rt::win32::test
