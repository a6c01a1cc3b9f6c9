#include "watch/ZManu.h"

namespace tavlo::watch {

ZManu& zManu() { return rt::app().instance<ZManu>(); }

ZManu::ZManu() : Form("zManu") {}

rt::FormDesign ZManu::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    return d;
}

void ZManu::buildControls() {}

}  // namespace tavlo::watch
