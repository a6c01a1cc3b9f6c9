#include "runtime/win32/Cursors.h"

namespace tavlo::rt::win32 {

namespace {

// Pointer codes and the numbers of the system cursors (IDC_...) they show.
struct PointerCursor {
    int pointer;
    int cursor;
};
constexpr PointerCursor kCursors[] = {
    {1, 32512},   // arrow
    {2, 32515},   // cross
    {3, 32513},   // I-beam
    {5, 32646},   // size all
    {6, 32643},   // size NE-SW
    {7, 32645},   // size N-S
    {8, 32642},   // size NW-SE
    {9, 32644},   // size W-E
    {10, 32516},  // up arrow
    {11, 32514},  // hourglass
    {12, 32648},  // no drop
    {13, 32650},  // arrow and hourglass
    {14, 32651},  // arrow and question mark
    {15, 32646},  // size all (move)
    {99, 32649},  // hand
};

}  // namespace

HCURSOR cursorFor(int pointer) {
    for (const auto& c : kCursors) {
        if (c.pointer == pointer) return LoadCursorW(nullptr, MAKEINTRESOURCEW(c.cursor));
    }
    return nullptr;
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
