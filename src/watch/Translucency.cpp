#include "watch/Translucency.h"

#include "runtime/ErrorReport.h"

namespace tavlo::watch {

namespace {

// The byte the alpha goes to the system as.
int alphaByte(long alpha) {
    if (alpha < 0 || alpha > 255) throw rt::Error("Overflow");
    return static_cast<int>(alpha);
}

void makeLayered(rt::Form& frm, long alpha) {
    const int opacity = alphaByte(alpha);
    auto& windows = rt::app().sys().windows;
    auto& state = rt::app().module<TranslucencyState>();
    const rt::Handle hWnd = frm.hWnd();
    state.LayeredExStyle = windows.getWindowLong(hWnd, kGwlExStyle) | kWsExLayered;
    windows.setWindowLong(hWnd, kGwlExStyle, state.LayeredExStyle);
    windows.setLayeredAttributes(hWnd, kColorKey, opacity, kLwaColorKeyAndAlpha);
}

}  // namespace

void MakeTranslucent(rt::Form& frm, long alpha) { makeLayered(frm, alpha); }

void MakeWindowTranslucent(rt::Form& frm, long alpha) { makeLayered(frm, alpha); }

}  // namespace tavlo::watch
