#pragma once

#include "runtime/App.h"

namespace tavlo::core {

class FrmSplash : public rt::Form {
public:
    FrmSplash();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

FrmSplash& frmSplash();

}  // namespace tavlo::core
