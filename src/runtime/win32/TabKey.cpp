#include "runtime/win32/TabKey.h"

#include "runtime/win32/FormWindow.h"

namespace tavlo::rt::win32 {

namespace {

// The form window that holds the window (itself included), or nullptr.
FormWindow* formWindowOf(HWND h) {
    for (const HWND desktop = GetDesktopWindow(); h && h != desktop; h = GetAncestor(h, GA_PARENT)) {
        if (auto* form = dynamic_cast<FormWindow*>(Window::from(h))) return form;
    }
    return nullptr;
}

// Whether any of the window lies inside the form's client area: a control
// placed beyond the form's edge (a trigger box kept out of sight) is not seen.
bool insideForm(HWND h, HWND form) {
    RECT r, client, both;
    GetWindowRect(h, &r);
    GetClientRect(form, &client);
    MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return IntersectRect(&both, &r, &client) != FALSE;
}

// A control's window takes the keyboard when it is a tab stop (text boxes,
// buttons, check and option boxes, the lists, the grid), shows inside the
// form, and neither it nor a container up to the form is disabled.
bool takesKeyboard(HWND h, HWND form) {
    if (!h || !(GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP) || !IsWindowVisible(h) || !insideForm(h, form)) {
        return false;
    }
    for (; h && h != form; h = GetParent(h)) {
        if (!IsWindowEnabled(h)) return false;
    }
    return true;
}

HWND controlWindow(const FormWindow& window, const Control& control) {
    return reinterpret_cast<HWND>(window.controlHWnd(control));
}

// Moves the keyboard from the control holding `focus` (none: from before the
// first or after the last control) to the next tab stop, round the form;
// false when the form has none.
bool moveFocus(FormWindow& window, HWND focus, bool back) {
    const auto& controls = window.form()->controls();
    const int n = static_cast<int>(controls.size());
    int at = back ? n : -1;
    for (int i = 0; i < n; ++i) {
        if (focus && controlWindow(window, *controls[i]) == focus) at = i;
    }
    for (int step = 1; step <= n; ++step) {
        const int i = ((at + (back ? -step : step)) % n + n) % n;
        HWND h = controlWindow(window, *controls[i]);
        if (takesKeyboard(h, window.hwnd())) {
            SetFocus(h);
            return true;
        }
    }
    return false;
}

}  // namespace

bool takeTabKey(const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    FormWindow* window = formWindowOf(m.hwnd);
    if (!window || !window->form()) return false;
    auto keep = window->weak_from_this().lock();  // a lost-focus handler may unload the form
    return moveFocus(*window, m.hwnd, GetKeyState(VK_SHIFT) < 0);
}

}  // namespace tavlo::rt::win32
