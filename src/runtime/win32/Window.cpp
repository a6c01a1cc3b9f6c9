#include "runtime/win32/Window.h"

#include <commctrl.h>

#include <unordered_map>

#include "runtime/win32/Guard.h"

namespace tavlo::rt::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 1;

// The objects behind the program's windows, kept in the process: a window
// property would cost a trip to the window server at every message.
std::unordered_map<HWND, Window*>& attached() {
    static std::unordered_map<HWND, Window*> objects;
    return objects;
}
}  // namespace

Window::~Window() {
    HWND h = hwnd_.get();
    if (!h) return;
    detach();
    DestroyWindow(h);
}

Window* Window::from(HWND hwnd) {
    const auto found = attached().find(hwnd);
    return found == attached().end() ? nullptr : found->second;
}

HINSTANCE Window::instance() { return GetModuleHandleW(nullptr); }

bool Window::registerOwnClass() {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance(), ownClass(), &wc)) return true;
    wc.cbSize = sizeof wc;
    wc.style = classStyle();
    wc.lpfnWndProc = &Window::ownProc;
    wc.hInstance = instance();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    wc.lpszClassName = ownClass();
    return RegisterClassExW(&wc) != 0;
}

bool Window::create(const CreateArgs& a) {
    const bool own = a.className == nullptr;
    if (own && !registerOwnClass()) return false;
    const RECT& r = a.rect;
    HWND h = CreateWindowExW(a.exStyle, own ? ownClass() : a.className, a.text.c_str(), a.style, r.left,
                             r.top, r.right - r.left, r.bottom - r.top, a.parent, a.id, instance(),
                             own ? this : nullptr);
    if (!h) return false;
    if (own) return true;  // attached at WM_NCCREATE
    attach(h);
    hwnd_.reset(h);
    subclassed_ = SetWindowSubclass(h, &Window::subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void Window::attach(HWND h) { attached()[h] = this; }

// Lets go of a window that is going away (or that the object leaves): later
// messages find no object and get the default handling.
void Window::detach() {
    HWND h = hwnd_.release();
    if (!h) return;
    const auto found = attached().find(h);
    if (found != attached().end() && found->second == this) attached().erase(found);
    if (subclassed_) RemoveWindowSubclass(h, &Window::subclassProc, kSubclassId);
    subclassed_ = false;
}

LRESULT Window::defaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    HWND h = hwnd_.get();
    return subclassed_ ? DefSubclassProc(h, msg, wp, lp) : DefWindowProcW(h, msg, wp, lp);
}

LRESULT CALLBACK Window::ownProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->attach(h);
        self->hwnd_.reset(h);
    }
    Window* self = from(h);
    if (!self || self->hwnd_.get() != h) return DefWindowProcW(h, msg, wp, lp);
    return dispatch(self, h, msg, wp, lp);
}

LRESULT CALLBACK Window::subclassProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<Window*>(ref);
    if (!self || self->hwnd_.get() != h) return DefSubclassProc(h, msg, wp, lp);
    return dispatch(self, h, msg, wp, lp);
}

// Keeps the object alive for the message; on WM_NCDESTROY the object lets go
// of the window the system destroys (a parent going takes its children).
LRESULT Window::dispatch(Window* self, HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto keep = self->weak_from_this().lock();
    if (msg == WM_NCDESTROY) {
        const bool sub = self->subclassed_;
        self->detach();
        return sub ? DefSubclassProc(h, msg, wp, lp) : DefWindowProcW(h, msg, wp, lp);
    }
    return guarded(LRESULT{0}, [&]() -> LRESULT {
        if (auto r = self->handle(msg, wp, lp)) return *r;
        return self->defaultProc(msg, wp, lp);
    });
}

}  // namespace tavlo::rt::win32
