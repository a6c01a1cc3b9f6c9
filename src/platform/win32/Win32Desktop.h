// The shell and window services of user32 and shell32, applied to real window
// handles: web pages in the browser, the notification-area icon, and the few
// window calls the program makes itself (topmost, parent, translucency, drag,
// the system menu).
#pragma once

#include <array>

#include "platform/Services.h"

namespace tavlo::platform::win32 {

class Win32Shell : public Shell {
public:
    void open(Handle owner, const std::string& url) override;
};

// The 64-byte tip field of the 88-byte notification record: the tip as ANSI
// text, cut to 63 bytes (never inside a double-byte character), zero-filled.
std::array<char, 64> trayTip(const std::string& tip);

class Win32Tray : public Tray {
public:
    // Shell_NotifyIconA with the 88-byte record (up to the 64-byte tip).
    bool notify(Message message, const TrayIconData& data) override;
};

class Win32Windows : public Windows {
public:
    bool setWindowPos(Handle hWnd, Handle insertAfter, int x, int y, int cx, int cy, unsigned flags) override;
    Handle setParent(Handle child, Handle parent) override;
    long getWindowLong(Handle hWnd, int index) override;
    long setWindowLong(Handle hWnd, int index, long value) override;
    bool setLayeredAttributes(Handle hWnd, std::uint32_t colorKey, int alpha, std::uint32_t flags) override;
    bool releaseCapture() override;
    long sendMessage(Handle hWnd, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
    Point cursorPos() override;
    // The chosen command goes to the window as WM_SYSCOMMAND (posted).
    void trackSystemMenu(Handle hWnd, Point at) override;
    unsigned registerMessage(const std::string& name) override;
};

}  // namespace tavlo::platform::win32
