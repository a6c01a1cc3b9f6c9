// Twips and colours of the model in the system's units: 1440 twips per inch
// at the screen's DPI, and colours with the high bit naming a system colour.
#pragma once

#include <windows.h>

#include "runtime/Control.h"

namespace tavlo::rt::win32 {

struct Scale {
    int dpi = 96;
    int px(Twips t) const { return MulDiv(t, dpi, 1440); }
    Twips twips(int px) const { return MulDiv(px, 1440, dpi); }
    // The screen's scale, read once the process is DPI aware.
    static Scale screen();
};

// 0x00BBGGRR as is; 0x800000nn is system colour nn.
COLORREF toColorRef(Color c);

}  // namespace tavlo::rt::win32
