#include "scanner/FrmIgnrLst.h"

namespace tavlo::scanner {

FrmIgnrLst& frmIgnrLst() { return rt::app().instance<FrmIgnrLst>(); }

FrmIgnrLst::FrmIgnrLst() : Form("frmIgnrLst") {}

rt::FormDesign FrmIgnrLst::formDesign() {
    rt::FormDesign d;
    d.caption = "Ignore List";
    return d;
}

void FrmIgnrLst::buildControls() {}

}  // namespace tavlo::scanner
