#pragma once

#include "runtime/App.h"

namespace tavlo::core {

class ZStrtup : public rt::Form {
public:
    ZStrtup();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

ZStrtup& zStrtup();

}  // namespace tavlo::core
