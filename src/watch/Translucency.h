// Translucent windows: a window made layered, drawn at an opacity of Alpha
// out of 255, with the exact colour 0x000001 fully transparent. Applying it
// again to a layered window only changes the opacity. An Alpha outside 0 to
// 255 is an overflow error.
#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

// The extended window style, kept between reading and writing it.
struct TranslucencyState : rt::Module {
    long LayeredExStyle = 0;
};

inline constexpr int kGwlExStyle = -20;
inline constexpr long kWsExLayered = 0x80000;
inline constexpr std::uint32_t kColorKey = 1;
inline constexpr std::uint32_t kLwaColorKeyAndAlpha = 3;

// Used by the full-desktop alert's load (220).
void MakeTranslucent(rt::Form& frm, long alpha);
// Used when the main window goes into the full-desktop alert (240).
void MakeWindowTranslucent(rt::Form& frm, long alpha);

}  // namespace tavlo::watch
