#include "watch/FrmNwUScrn.h"

namespace tavlo::watch {

FrmNwUScrn& frmNwUScrn() { return rt::app().instance<FrmNwUScrn>(); }

FrmNwUScrn::FrmNwUScrn() : Form("frmNwUScrn") {}

rt::FormDesign FrmNwUScrn::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void FrmNwUScrn::buildControls() {
    add({.kind = rt::Kind::Label, .name = "lblMsg", .left = 360, .top = 1560, .width = 3735, .height = 225,
         .text = "USB Memory Device Pluged..."});
    add({.kind = rt::Kind::TextBox, .name = "txtmnScrn", .visible = false});
}

}  // namespace tavlo::watch
