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

bool onScreen(HWND window) {
    RECT r, seen, screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    screen.right = screen.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    screen.bottom = screen.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    return GetWindowRect(window, &r) && IntersectRect(&seen, &r, &screen);
}

namespace {

// A window the user sees and can use; a tooltip is none.
bool offersOwnership(HWND h) {
    return IsWindowVisible(h) && IsWindowEnabled(h) && !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
           onScreen(h);
}

// The program's highest window in the z-order that offers ownership, but `skip`.
HWND highestWindow(HWND skip) {
    const DWORD thread = GetCurrentThreadId();
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != skip && GetWindowThreadProcessId(h, nullptr) == thread && offersOwnership(h)) return h;
    }
    return nullptr;
}

// The open scopes, the outermost first.
std::vector<DisabledWindows*>& openScopes() {
    static std::vector<DisabledWindows*> scopes;
    return scopes;
}
}  // namespace

// A modal window that an outer scope holds takes input for its run.
DisabledWindows::DisabledWindows(HWND except, Except what)
    : except_(except), what_(what), active_(GetActiveWindow()), focus_(GetFocus()) {
    if (what_ == Except::ModalWindow) EnableWindow(except_, TRUE);
    EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::collect, reinterpret_cast<LPARAM>(this));
    for (HWND h : windows_) EnableWindow(h, FALSE);
    openScopes().push_back(this);
}

DisabledWindows::~DisabledWindows() { release(); }

// A scope that ends while an inner one is open (a modal window unloaded
// under a box) hands its windows to that one, which holds them until it ends.
void DisabledWindows::release() {
    auto& scopes = openScopes();
    const auto me = std::find(scopes.begin(), scopes.end(), this);
    if (me == scopes.end()) return;
    const bool innermost = me + 1 == scopes.end();
    if (!innermost) (*(me + 1))->windows_.insert((*(me + 1))->windows_.end(), windows_.begin(), windows_.end());
    scopes.erase(me);
    if (!innermost) return;
    for (HWND h : windows_) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
    restoreKeyboard();
}

// The window that was active as the box opened is active again, and the
// control that had the keyboard has it again: the system would give it to
// the bare window. When that window is gone, the highest one is active.
void DisabledWindows::restoreKeyboard() const {
    const HWND modal = what_ == Except::ModalWindow ? except_ : nullptr;
    const bool back = active_ && active_ != modal && IsWindow(active_) && offersOwnership(active_);
    const HWND beneath = back ? active_ : highestWindow(modal);
    if (!beneath) return;
    if (GetActiveWindow() != beneath || GetForegroundWindow() != beneath) SetForegroundWindow(beneath);
    if (back && focus_ != beneath && IsChild(beneath, focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_)) {
        SetFocus(focus_);
    }
}

void DisabledWindows::releaseFor(HWND modal) {
    for (DisabledWindows* scope : openScopes()) {
        if (scope->what_ == Except::ModalWindow && scope->except_ == modal) {
            scope->release();
            return;
        }
    }
}

// The outermost scope takes it: an inner one ends while the outer still holds.
void DisabledWindows::holdIfOpen(HWND window) {
    auto& scopes = openScopes();
    if (!scopes.empty() && !EnableWindow(window, FALSE)) scopes.front()->windows_.push_back(window);
}

BOOL CALLBACK DisabledWindows::collect(HWND hwnd, LPARAM self) {
    return guarded(FALSE, [&] {
        auto* me = reinterpret_cast<DisabledWindows*>(self);
        if (hwnd != me->except_ && IsWindowEnabled(hwnd)) me->windows_.push_back(hwnd);
        return TRUE;
    });
}

HWND frontWindow() {
    if (HWND active = GetActiveWindow(); active && IsWindowVisible(active)) return GetAncestor(active, GA_ROOT);
    return highestWindow(nullptr);
}

bool topmost(HWND window) { return window && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST); }

// The highest window of the program stands above the window in front when
// it is topmost (the splash at start-up, an alert): the box is then owned
// by it, for an owned window stands above its owner, topmost or not.
HWND boxOwner() {
    const HWND front = frontWindow(), highest = highestWindow(nullptr);
    return topmost(highest) && !topmost(front) ? highest : front;
}

// With no window to own it the box is task-modal; a window made while it is
// up is held all the same.
int ownedMessageBox(const std::wstring& text, const std::wstring& title, UINT flags) {
    HWND owner = boxOwner();
    if (!owner) flags |= MB_TASKMODAL;
    if (topmost(owner)) flags |= MB_TOPMOST;
    DisabledWindows others(owner, DisabledWindows::Except::BoxOwner);
    return MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

}  // namespace tavlo::rt::win32
