#include "core/ZStrtup.h"

namespace tavlo::core {

ZStrtup& zStrtup() { return rt::app().instance<ZStrtup>(); }

ZStrtup::ZStrtup() : Form("zStrtup") {}

rt::FormDesign ZStrtup::formDesign() {
    rt::FormDesign d;
    d.caption = "Add to Windows Startup";
    return d;
}

void ZStrtup::buildControls() {}

}  // namespace tavlo::core
