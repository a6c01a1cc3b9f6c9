#include "runtime/win32/Guard.h"

#include <windows.h>

#include "runtime/App.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

void reportEscaped(const char* description) noexcept {
    try {
        if (hasApp()) {
            app().msgBox(description, OkOnly | Critical, app().title);
            return;
        }
    } catch (...) {
        // The message box itself failed: fall back to the plain system box.
    }
    MessageBoxW(nullptr, widen(description).c_str(), L"Tavlo", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tavlo::rt::win32
