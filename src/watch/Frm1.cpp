#include "watch/Frm1.h"

namespace tavlo::watch {

Frm1& frm1() { return rt::app().instance<Frm1>(); }

Frm1::Frm1() : Form("frm1") {}

rt::FormDesign Frm1::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void Frm1::buildControls() {}

}  // namespace tavlo::watch
