#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class Frm1 : public rt::Form {
public:
    Frm1();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

Frm1& frm1();

}  // namespace tavlo::watch
