// A program with the real Win32 user interface, clock and system services,
// and a sample window holding one control of every kind.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Services.h"
#include "runtime/App.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/InputBox.h"
#include "runtime/win32/Win32Ui.h"

namespace tavlo::rt::win32::test {

class SampleForm : public Form {
public:
    SampleForm() : Form("frmSample") {}
    std::vector<std::string> events;
    int changes = 0, ticks = 0;

protected:
    FormDesign formDesign() override {
        FormDesign d;
        d.caption = "Sample";
        d.width = 7200;
        d.height = 6000;
        d.left = 1500;
        d.top = 1200;
        d.border = BorderStyle::Fixed;
        return d;
    }
    void buildControls() override {
        add({.kind = Kind::Label, .name = "lblCount", .left = 150, .top = 300, .width = 1500, .height = 300,
             .text = "design"})
            .onClick = [this] { events.push_back("lblCount.Click"); };
        add({.kind = Kind::TextBox, .name = "txtNo1", .left = 150, .top = 750, .width = 1500, .height = 315,
             .text = "Text1"})
            .onChange = [this] { ++changes; events.push_back("txtNo1.Change=" + c("txtNo1").text()); };
        add({.kind = Kind::Button, .name = "cmdGo", .left = 1800, .top = 300, .width = 1200, .height = 375,
             .text = "Go"})
            .onClick = [this] { events.push_back("cmdGo.Click"); };
        add({.kind = Kind::CheckBox, .name = "chkA", .left = 1800, .top = 750, .width = 1500, .height = 255,
             .text = "Tick"})
            .onClick = [this] { events.push_back("chkA.Click=" + std::to_string(c("chkA").value())); };
        add({.kind = Kind::Option, .name = "OptA", .left = 3300, .top = 300, .width = 1200, .height = 255,
             .text = "A", .value = True});
        add({.kind = Kind::Option, .name = "OptB", .left = 3300, .top = 600, .width = 1200, .height = 255,
             .text = "B"})
            .onClick = [this] { events.push_back("OptB.Click"); };
        add({.kind = Kind::Picture, .name = "picScan", .left = 150, .top = 1500, .width = 6000, .height = 3600,
             .backColor = 0xE0E0E0});
        add({.kind = Kind::Label, .name = "lblIn", .container = "picScan", .left = 300, .top = 150, .width = 1200,
             .height = 240, .text = "inside", .transparent = true});
        add({.kind = Kind::Image, .name = "imgA", .container = "picScan", .left = 1800, .top = 150, .width = 480,
             .height = 480});
        add({.kind = Kind::Line, .name = "linA", .container = "picScan", .left = 0, .top = 750, .width = 0,
             .height = 0});
        addGrid({.name = "MsfInfectd", .container = "picScan", .left = 150, .top = 900, .width = 5400,
                 .height = 2400});
        addTimer("tmrA", 10, false).onTimer = [this] { ++ticks; };
        add({.kind = Kind::Menu, .name = "mnuTray"});
        add({.kind = Kind::Menu, .name = "mnuOpen", .container = "mnuTray", .text = "Open"});
    }
};

struct Win32Test : ::testing::Test {
    std::unique_ptr<platform::win32::Win32System> sys = platform::win32::makeWin32System();
    Win32Ui ui;
    Win32Clock clock;
    AppScope scope{ui, clock, sys->services};

    App& app() { return scope.app(); }
    SampleForm& form() { return app().instance<SampleForm>(); }
    HWND hwndOf(const std::string& name) { return reinterpret_cast<HWND>(form().c(name).hWnd()); }
    HWND formHwnd() { return reinterpret_cast<HWND>(form().hWnd()); }
    // The window's place in its parent's client area, in pixels.
    static RECT placeOf(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, GetAncestor(h, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    static std::wstring textOf(HWND h) {
        wchar_t buf[256] = {};
        GetWindowTextW(h, buf, 256);
        return buf;
    }
};

}  // namespace tavlo::rt::win32::test
