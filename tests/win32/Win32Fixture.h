// A program with the real Win32 user interface, clock and system services, a
// sample window holding one control of every kind, and a closer for the
// message boxes that the null display driver leaves open until pressed.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/Win32Services.h"
#include "runtime/App.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"

namespace tavlo::rt::win32::test {

struct SampleForm : Form {
    SampleForm() : Form("frmSample") {}
    std::vector<std::string> events;
    int ticks = 0;
    FormDesign formDesign() override {
        return {.caption = "Sample", .width = 7200, .height = 6000, .left = 1500, .top = 1200,
                .border = BorderStyle::Fixed};
    }
    Control& logged(ControlDesign d) {
        auto& c = add(d);
        c.onClick = [this, &c] { events.push_back(c.name() + ".Click=" + std::to_string(c.value())); };
        return c;
    }
    void buildControls() override {
        logged({.kind = Kind::Label, .name = "lblCount", .left = 150, .top = 300, .width = 1500, .height = 300,
                .text = "design"});
        add({.kind = Kind::TextBox, .name = "txtNo1", .left = 150, .top = 750, .width = 1500, .height = 315,
             .text = "Text1", .maxLength = 8})
            .onChange = [this] { events.push_back("Change=" + c("txtNo1").text()); };
        add({.kind = Kind::TextBox, .name = "txtLines", .top = 1150, .width = 1500, .height = 315, .multiLine = true});
        logged({.kind = Kind::Button, .name = "cmdGo", .left = 1800, .top = 300, .width = 1200, .height = 375});
        logged({.kind = Kind::CheckBox, .name = "chkA", .left = 1800, .top = 750, .width = 1500, .height = 255});
        add({.kind = Kind::Option, .name = "OptA", .left = 3300, .top = 300, .width = 1200, .height = 255, .value = True});
        logged({.kind = Kind::Option, .name = "OptB", .left = 3300, .top = 600, .width = 1200, .height = 255});
        add({.kind = Kind::Picture, .name = "picScan", .left = 150, .top = 1500, .width = 6000, .height = 3600});
        add({.kind = Kind::Label, .name = "lblIn", .container = "picScan", .left = 300, .top = 150, .width = 1200,
             .height = 240, .transparent = true});
        add({.kind = Kind::Line, .name = "linA", .container = "picScan"});
        addGrid({.name = "MsfInfectd", .container = "picScan", .left = 150, .top = 900, .width = 5400, .height = 2400});
        addTimer("tmrA", 10, false).onTimer = [this] { ++ticks; };
        add({.kind = Kind::Menu, .name = "mnuTray", .visible = false});
        for (const char* item : {"mnuHidden", "mnuOpen", "-", "mnuExit"}) {
            logged({.kind = Kind::Menu, .name = item[0] == '-' ? "mnuSep" : item, .container = "mnuTray",
                    .text = item, .visible = std::string(item) != "mnuHidden"});
        }
    }
};

// A top-level window of this process (other test programs show windows of
// the same class and title at the same time).
inline HWND findOwnWindow(const wchar_t* cls, const wchar_t* title, bool visible = true) {
    for (HWND h = FindWindowExW(nullptr, nullptr, cls, title); h; h = FindWindowExW(nullptr, h, cls, title)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && (!visible || IsWindowVisible(h))) return h;
    }
    return nullptr;
}

// Waits on its own thread (about 20 s at most) for a window of the class and
// title, and once ready(window) allows, keeps its text and presses a button.
class BoxCloser {
public:
    explicit BoxCloser(const wchar_t* title, int button = IDOK, std::function<bool(HWND)> ready = nullptr,
                       const wchar_t* cls = L"#32770")
        : thread_([=, this] {
              for (int i = 0; i < 2000 && !(stop_ && !findOwnWindow(cls, title)); ++i, Sleep(10)) {
                  HWND box = findOwnWindow(cls, title);
                  if (!box || (ready && !ready(box))) continue;
                  wchar_t buf[512] = {};
                  GetDlgItemTextW(box, 0xFFFF, buf, 512);
                  text_ = buf;
                  PostMessageW(box, WM_COMMAND, button, 0);
                  return;
              }
          }) {}
    ~BoxCloser() { text(); }
    // The text of the box it closed; empty when none came.
    std::wstring text() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return text_;
    }

private:
    std::wstring text_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct Win32Test : ::testing::Test {
    std::unique_ptr<platform::win32::Win32System> sys = platform::win32::makeWin32System();
    Win32Ui ui;
    Win32Clock clock;
    AppScope scope{ui, clock, sys->services};

    App& app() { return scope.app(); }
    SampleForm& form() { return app().instance<SampleForm>(); }
    static HWND hwnd(Handle h) { return reinterpret_cast<HWND>(h); }
    HWND hwndOf(const std::string& name) { return hwnd(form().c(name).hWnd()); }
    HWND formHwnd() { return hwnd(form().hWnd()); }
    static int px(Twips t) { return MulDiv(t, Scale::screen().dpi, 1440); }
    static Twips twips(int px) { return MulDiv(px, 1440, Scale::screen().dpi); }
    // The window's place in its parent's client area, in pixels.
    static RECT placeOf(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetAncestor(h, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static void click(HWND h, int x, int y, UINT down = WM_LBUTTONDOWN) {
        SendMessageW(h, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
        SendMessageW(h, down + 1, 0, MAKELPARAM(x, y));
    }
    // Runs the window messages waiting, as the program's loop would, but no timer.
    static void pump() {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               PeekMessageW(&m, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE))
            DispatchMessageW(&m);
    }
};

}  // namespace tavlo::rt::win32::test
