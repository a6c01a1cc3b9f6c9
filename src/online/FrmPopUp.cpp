#include "online/FrmPopUp.h"

namespace tavlo::online {

FrmPopUp& frmPopUp() { return rt::app().instance<FrmPopUp>(); }

FrmPopUp::FrmPopUp() : Form("frmPopUp") {}

rt::FormDesign FrmPopUp::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void FrmPopUp::buildControls() {}

}  // namespace tavlo::online
