#include "core/FrmSplash.h"

namespace tavlo::core {

FrmSplash& frmSplash() { return rt::app().instance<FrmSplash>(); }

FrmSplash::FrmSplash() : Form("frmSplash") {}

rt::FormDesign FrmSplash::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void FrmSplash::buildControls() {}

}  // namespace tavlo::core
