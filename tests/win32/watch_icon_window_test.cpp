// The tray icon on a real window: the shell's callback and its restart
// message arrive as window messages, and the tray form's window is out of
// sight yet has the system menu that the icon pops up.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32Services.h"
#include "runtime/App.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"
#include "watch/Frm1.h"
#include "watch/ShellIcon.h"

namespace tavlo::watch {
namespace {

class IconHost : public rt::Form {
public:
    IconHost() : Form("frmIconHost"), icon(*this) {
        onMessage = [this](unsigned msg, std::uintptr_t w, std::intptr_t l) { return icon.windowMessage(msg, w, l); };
        icon.onMouseDown = [this](int b) { events.push_back("MouseDown " + std::to_string(b)); };
        icon.onMouseUp = [this](int b) { events.push_back("MouseUp " + std::to_string(b)); };
        icon.onClick = [this](int b) { events.push_back("Click " + std::to_string(b)); };
        icon.onDblClick = [this](int b) { events.push_back("DblClick " + std::to_string(b)); };
    }
    ShellIcon icon;
    std::vector<std::string> events;

protected:
    rt::FormDesign formDesign() override {
        rt::FormDesign d;
        d.caption = "Icon host";
        d.showInTaskbar = false;
        return d;
    }
    void buildControls() override {}
    void onLoad() override {
        icon.Initialize();
        icon.ReadProperties({});
    }
};

// Records what the shell is asked, so that the calls can be seen where Wine
// has no notification area.
struct RecordingTray : platform::Tray {
    struct Call {
        Message message;
        platform::TrayIconData data;
    };
    std::vector<Call> calls;
    bool notify(Message message, const platform::TrayIconData& data) override {
        calls.push_back({message, data});
        return true;
    }
};

// The real system, except for the tray.
struct IconWindowTest : ::testing::Test {
    std::unique_ptr<platform::win32::Win32System> real = platform::win32::makeWin32System();
    RecordingTray tray;
    platform::Services services{real->services.files, real->services.registry, real->services.http,
                                real->services.shell,  tray,                    real->services.windows,
                                real->services.process, real->services.env};
    rt::win32::Win32Ui ui;
    rt::win32::Win32Clock clock;
    rt::AppScope scope{ui, clock, services};

    IconHost& host() { return scope.app().instance<IconHost>(); }
    HWND hwnd() { return reinterpret_cast<HWND>(host().hWnd()); }
};

TEST_F(IconWindowTest, ShellCallbackOnTheWindowRaisesTheIconsEvents) {
    host().show();
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0].data.hWnd, host().hWnd()) << "the callbacks come to the host's window";
    SendMessageA(hwnd(), WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 1, WM_LBUTTONUP);
    SendMessageA(hwnd(), WM_MOUSEMOVE, 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(host().events,
              (std::vector<std::string>{"MouseDown 2", "MouseDown 1", "MouseUp 1", "Click 1", "DblClick 1"}));
}

TEST_F(IconWindowTest, ShellRestartOnTheWindowAddsTheIconAgain) {
    host().show();
    SendMessageA(hwnd(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(tray.calls.size(), 2u);
    EXPECT_EQ(tray.calls[1].message, platform::Tray::Add);
    EXPECT_EQ(tray.calls[1].data.hWnd, host().hWnd());
}

TEST_F(IconWindowTest, TrayFormIsOutOfSightWithASystemMenu) {
    Frm1& form = scope.app().instance<Frm1>();
    form.show();
    const HWND h = reinterpret_cast<HWND>(form.hWnd());
    ASSERT_TRUE(IsWindow(h));
    EXPECT_NE(GetSystemMenu(h, FALSE), nullptr);
    RECT r;
    GetWindowRect(h, &r);
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT seen;
    EXPECT_FALSE(IntersectRect(&seen, &r, &screen)) << "no part of it on the screen";
    EXPECT_EQ(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0) << "no taskbar button";
    form.unload();
}

}  // namespace
}  // namespace tavlo::watch
