#include "watch/FrmNwUSB.h"

namespace tavlo::watch {

FrmNwUSB& frmNwUSB() { return rt::app().instance<FrmNwUSB>(); }

FrmNwUSB::FrmNwUSB() : Form("frmNwUSB") {}

rt::FormDesign FrmNwUSB::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void FrmNwUSB::buildControls() {
    add({.kind = rt::Kind::Label, .name = "lblMsg", .left = 720, .top = 240, .width = 3735, .height = 240,
         .text = "USB Memory Device Pluged..."});
}

}  // namespace tavlo::watch
