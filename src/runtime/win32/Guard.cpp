#include "runtime/win32/Guard.h"

#include <windows.h>

#include "runtime/App.h"
#include "runtime/win32/Modal.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

// While one report is open its message loop goes on, and a timer failing on
// every tick would stack a box per tick: further failures are dropped until
// the open report is closed.
void reportEscaped(const char* description) noexcept {
    static bool reporting = false;
    if (reporting) return;
    struct Open {
        Open() { reporting = true; }
        ~Open() { reporting = false; }
    } open;
    try {
        if (hasApp()) {
            app().msgBox(description, OkOnly | Critical, app().title);
            return;
        }
    } catch (...) {
        // The message box itself failed: fall back to the plain system box.
    }
    ownedMessageBox(widen(description), L"Tavlo", MB_OK | MB_ICONERROR);
}

}  // namespace tavlo::rt::win32
