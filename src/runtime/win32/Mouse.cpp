#include "runtime/win32/Mouse.h"

#include <windowsx.h>

namespace tavlo::rt::win32 {

namespace {

int shiftOf(WPARAM wp) {
    int s = 0;
    if (wp & MK_SHIFT) s |= 1;
    if (wp & MK_CONTROL) s |= 2;
    if (GetKeyState(VK_MENU) < 0) s |= 4;
    return s;
}

int buttonsOf(WPARAM wp) {
    int b = 0;
    if (wp & MK_LBUTTON) b |= LeftButton;
    if (wp & MK_RBUTTON) b |= RightButton;
    if (wp & MK_MBUTTON) b |= MiddleButton;
    return b;
}

struct Press {
    int button;
    bool down;
    bool dbl;
};

std::optional<Press> pressOf(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN: return Press{LeftButton, true, false};
    case WM_RBUTTONDOWN: return Press{RightButton, true, false};
    case WM_MBUTTONDOWN: return Press{MiddleButton, true, false};
    case WM_LBUTTONDBLCLK: return Press{LeftButton, true, true};
    case WM_RBUTTONDBLCLK: return Press{RightButton, true, true};
    case WM_MBUTTONDBLCLK: return Press{MiddleButton, true, true};
    case WM_LBUTTONUP: return Press{LeftButton, false, false};
    case WM_RBUTTONUP: return Press{RightButton, false, false};
    case WM_MBUTTONUP: return Press{MiddleButton, false, false};
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<LRESULT> MouseTracker::handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const Scale& scale,
                                            MouseTarget& target) {
    if (msg == WM_CAPTURECHANGED) {
        held_ = 0;  // a move loop or another window took the mouse
        return std::nullopt;
    }
    const Twips x = scale.twips(GET_X_LPARAM(lp));
    const Twips y = scale.twips(GET_Y_LPARAM(lp));
    if (msg == WM_MOUSEMOVE) {
        target.mouseMove(buttonsOf(wp), shiftOf(wp), x, y);
        return 0;
    }
    const auto p = pressOf(msg);
    if (!p) return std::nullopt;
    if (p->down) {
        press(hwnd, p->button, p->dbl, shiftOf(wp), x, y, target);
    } else {
        release(hwnd, p->button, shiftOf(wp), lp, x, y, target);
    }
    return 0;
}

// A double click raises DblClick in place of the second MouseDown; its
// release raises MouseUp without a second Click. Click follows the release
// of the left button over the window that got the press.
bool MouseTracker::press(HWND hwnd, int button, bool dbl, int shift, Twips x, Twips y, MouseTarget& target) {
    if (!held_) SetCapture(hwnd);
    held_ |= button;
    if (dbl) {
        afterDblClick_ = true;
        return target.dblClick();
    }
    afterDblClick_ = false;
    return target.mouseDown(button, shift, x, y);
}

bool MouseTracker::release(HWND hwnd, int button, int shift, LPARAM lp, Twips x, Twips y, MouseTarget& target) {
    const bool wasHeld = (held_ & button) != 0;
    held_ &= ~button;
    if (!held_ && GetCapture() == hwnd) ReleaseCapture();
    if (!wasHeld) return true;
    if (!target.mouseUp(button, shift, x, y)) return false;
    RECT client;
    GetClientRect(hwnd, &client);
    const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    if (button != LeftButton || afterDblClick_ || !PtInRect(&client, at)) return true;
    return target.click();
}

}  // namespace tavlo::rt::win32
