#include "watch/FrmNwUSB.h"

namespace tavlo::watch {

FrmNwUSB& frmNwUSB() { return rt::app().instance<FrmNwUSB>(); }

FrmNwUSB::FrmNwUSB() : Form("frmNwUSB") {}

rt::FormDesign FrmNwUSB::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void FrmNwUSB::buildControls() {}

}  // namespace tavlo::watch
