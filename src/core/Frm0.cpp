#include "core/Frm0.h"

#include "core/Frm0Design.h"

namespace tavlo::core {

Frm0& frm0() { return rt::app().instance<Frm0>(); }

Frm0::Frm0() : Form("frm0") {}

// A sizable frame with a title bar but no control box; the load gives it
// its final size and centres it.
rt::FormDesign Frm0::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    d.width = mainlayout::kCreatedWidth;
    d.height = mainlayout::kCreatedHeight;
    d.border = rt::BorderStyle::Sizable;
    d.controlBox = false;
    d.backColor = 0x808080;
    d.picture = "main_back";
    return d;
}

void Frm0::buildControls() {
    buildFrame();
    buildSettingsPage();
    buildScanPage();
    buildResultsActions();
    buildAboutPage();
}

void Frm0::onLoad() { InitMainWindow(); }
void Frm0::onResize() { LayoutMainWindow(); }

}  // namespace tavlo::core
