#include "watch/FrmNwUScrn.h"

namespace tavlo::watch {

FrmNwUScrn& frmNwUScrn() { return rt::app().instance<FrmNwUScrn>(); }

FrmNwUScrn::FrmNwUScrn() : Form("frmNwUScrn") {}

rt::FormDesign FrmNwUScrn::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void FrmNwUScrn::buildControls() {}

}  // namespace tavlo::watch
