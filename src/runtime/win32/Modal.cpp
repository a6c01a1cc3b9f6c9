#include "runtime/win32/Modal.h"

#include <algorithm>

#include "runtime/win32/Guard.h"
#include "runtime/win32/TabKey.h"

namespace tavlo::rt::win32 {

namespace {
// A yield never runs longer than this many messages, so that a flood of
// posted messages cannot hold the caller forever.
constexpr int kMaxMessagesPerYield = 10000;
// The time between two yields that paint, in milliseconds: at least the
// shortest, and as many times a paint's cost as keeps painting to a twentieth of
// the time (a paint can cost much, e.g. of a window inside a layered window
// that the system copies whole to the screen), up to the longest.
constexpr double kShortestPaintInterval = 30;
constexpr double kLongestPaintInterval = 250;
constexpr double kPaintCostShare = 20;

double milliseconds() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}
}  // namespace

static bool dispatchOne(const MSG& m) {
    if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        return false;
    }
    if (takeTabKey(m)) return true;
    TranslateMessage(&m);
    DispatchMessageW(&m);
    return true;
}

// A yield paints at most once per paint interval: a loop that yields after
// each small step (the scan, once per file) would otherwise repaint what it
// changed at every step. Between paints it still takes input, posted and sent
// messages and timers; the areas to paint wait and merge until the next one.
// A yield that ran a handler for long (a message box) says nothing of a
// paint's cost and leaves the interval as it is.
void pumpPending() {
    static double lastPaint = -kLongestPaintInterval;
    static double interval = kShortestPaintInterval;
    const double start = milliseconds();
    const bool paint = start - lastPaint >= interval;
    if (paint) lastPaint = start;
    const UINT mode = PM_REMOVE | (paint ? 0 : PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
    MSG m;
    for (int n = 0; n < kMaxMessagesPerYield && PeekMessageW(&m, nullptr, 0, 0, mode); ++n) {
        if (!dispatchOne(m)) return;
    }
    const double cost = milliseconds() - start;
    if (paint && cost < kLongestPaintInterval) {
        interval = std::clamp(cost * kPaintCostShare, kShortestPaintInterval, kLongestPaintInterval);
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

namespace {
// The innermost open scope; each one knows the one it opened under.
DisabledWindows* innermost = nullptr;
}  // namespace

DisabledWindows::DisabledWindows(HWND except) : except_(except), outer_(innermost) {
    EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::collect, reinterpret_cast<LPARAM>(this));
    for (HWND h : windows_) EnableWindow(h, FALSE);
    innermost = this;
}

DisabledWindows::~DisabledWindows() {
    innermost = outer_;
    for (HWND h : windows_) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
}

// The outermost scope takes it: an inner one ends while the outer still holds.
void DisabledWindows::holdIfOpen(HWND window) {
    DisabledWindows* outermost = innermost;
    while (outermost && outermost->outer_) outermost = outermost->outer_;
    if (outermost && !EnableWindow(window, FALSE)) outermost->windows_.push_back(window);
}

BOOL CALLBACK DisabledWindows::collect(HWND hwnd, LPARAM self) {
    return guarded(FALSE, [&] {
        auto* me = reinterpret_cast<DisabledWindows*>(self);
        if (hwnd != me->except_ && IsWindowEnabled(hwnd)) me->windows_.push_back(hwnd);
        return TRUE;
    });
}

static bool offersOwnership(HWND h) {
    return IsWindowVisible(h) && IsWindowEnabled(h) && !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

HWND frontWindow() {
    if (HWND active = GetActiveWindow(); active && IsWindowVisible(active)) return GetAncestor(active, GA_ROOT);
    const DWORD thread = GetCurrentThreadId();
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (GetWindowThreadProcessId(h, nullptr) == thread && offersOwnership(h)) return h;
    }
    return nullptr;
}

// With no window to own it the box is task-modal; a window made while it is
// up is held all the same.
int ownedMessageBox(const std::wstring& text, const std::wstring& title, UINT flags) {
    HWND owner = frontWindow();
    if (!owner) flags |= MB_TASKMODAL;
    if (owner && (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST)) flags |= MB_TOPMOST;
    DisabledWindows others(owner);
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

}  // namespace tavlo::rt::win32
