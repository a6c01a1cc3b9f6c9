// Mouse pointers of the model: a control's, a form's, and the screen's, which
// overrides every other while it is not the default.
#pragma once

#include <windows.h>

namespace tavlo::rt::win32 {

// The system cursor of a pointer code; nullptr for the default (0), which
// leaves the window's own cursor.
HCURSOR cursorFor(int pointer);

class Cursors {
public:
    int screenPointer() const { return screen_; }
    // Shows the new screen pointer at once.
    void setScreenPointer(int pointer);
    // For WM_SETCURSOR: the pointer that wins over the window's own, given
    // the pointer of the window under the mouse. True when one was set.
    bool apply(int windowPointer) const;

private:
    int screen_ = 0;
};

}  // namespace tavlo::rt::win32
