// What every view of the Win32 user interface shares: the scale, the
// artwork, the pointers and the hidden owner of windows kept off the taskbar.
#pragma once

#include <windows.h>

#include "runtime/win32/Cursors.h"
#include "runtime/win32/Pictures.h"
#include "runtime/win32/Scale.h"

namespace tavlo::rt::win32 {

struct UiContext {
    Scale scale;
    Pictures pictures;
    Cursors cursors;
    HWND owner = nullptr;
};

}  // namespace tavlo::rt::win32
