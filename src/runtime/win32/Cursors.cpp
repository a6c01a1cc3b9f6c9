#include "runtime/win32/Cursors.h"

namespace tavlo::rt::win32 {

HCURSOR cursorFor(int pointer) {
    const wchar_t* id = nullptr;
    switch (pointer) {
    case 1: id = IDC_ARROW; break;
    case 2: id = IDC_CROSS; break;
    case 3: id = IDC_IBEAM; break;
    case 5: id = IDC_SIZEALL; break;
    case 6: id = IDC_SIZENESW; break;
    case 7: id = IDC_SIZENS; break;
    case 8: id = IDC_SIZENWSE; break;
    case 9: id = IDC_SIZEWE; break;
    case 10: id = IDC_UPARROW; break;
    case 11: id = IDC_WAIT; break;
    case 12: id = IDC_NO; break;
    case 13: id = IDC_APPSTARTING; break;
    case 14: id = IDC_HELP; break;
    case 15: id = IDC_SIZEALL; break;
    case 99: id = IDC_HAND; break;
    default: return nullptr;
    }
    return LoadCursorW(nullptr, id);
}

void Cursors::setScreenPointer(int pointer) {
    screen_ = pointer;
    // Shown at once: a long operation may not see a mouse move before it ends.
    POINT p;
    if (GetCursorPos(&p)) {
        if (HCURSOR c = cursorFor(pointer)) {
            SetCursor(c);
        } else {
            SetCursorPos(p.x, p.y);  // the window under the mouse sets its own again
        }
    }
}

bool Cursors::apply(int windowPointer) const {
    HCURSOR c = cursorFor(screen_ ? screen_ : windowPointer);
    if (!c) return false;
    SetCursor(c);
    return true;
}

}  // namespace tavlo::rt::win32
