#include "runtime/win32/Modal.h"

#include "runtime/win32/Guard.h"

namespace tavlo::rt::win32 {

namespace {
// A yield never runs longer than this many messages, so that a flood of
// posted messages cannot hold the caller forever.
constexpr int kMaxMessagesPerYield = 10000;
}  // namespace

static bool dispatchOne(const MSG& m) {
    if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        return false;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
    return true;
}

void pumpPending() {
    MSG m;
    for (int n = 0; n < kMaxMessagesPerYield && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (!dispatchOne(m)) return;
    }
}

void modalLoop(const std::function<bool()>& done, HWND dialog) {
    MSG m;
    while (!done()) {
        const BOOL got = GetMessageW(&m, nullptr, 0, 0);
        if (got == -1) return;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(m.wParam));
            return;
        }
        if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &m)) continue;
        dispatchOne(m);
    }
}

DisabledWindows::DisabledWindows(HWND except) : except_(except) {
    EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::collect, reinterpret_cast<LPARAM>(this));
    for (HWND h : windows_) EnableWindow(h, FALSE);
}

DisabledWindows::~DisabledWindows() {
    for (HWND h : windows_) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
}

BOOL CALLBACK DisabledWindows::collect(HWND hwnd, LPARAM self) {
    return guarded(FALSE, [&] {
        auto* me = reinterpret_cast<DisabledWindows*>(self);
        if (hwnd != me->except_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) me->windows_.push_back(hwnd);
        return TRUE;
    });
}

}  // namespace tavlo::rt::win32
