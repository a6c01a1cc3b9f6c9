#include "core/Frm0.h"

namespace tavlo::core {

Frm0& frm0() { return rt::app().instance<Frm0>(); }

Frm0::Frm0() : Form("frm0") {}

rt::FormDesign Frm0::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    d.width = 10550;
    d.height = 7300;
    d.backColor = 0x808080;
    d.controlBox = false;
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

void Frm0::buildFrame() {}
void Frm0::buildSettingsPage() {}
void Frm0::InitMainWindow() {}
void Frm0::LayoutMainWindow() {}
void Frm0::OpenScanPage() { CurrentPage = "Scan"; }

}  // namespace tavlo::core
