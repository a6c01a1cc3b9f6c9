#include "runtime/win32/Scale.h"

namespace tavlo::rt::win32 {

Scale Scale::screen() {
    HDC dc = GetDC(nullptr);
    Scale s;
    if (dc) {
        s.dpi = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(nullptr, dc);
    }
    if (s.dpi <= 0) s.dpi = 96;
    return s;
}

COLORREF toColorRef(Color c) {
    if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFF));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

}  // namespace tavlo::rt::win32
