#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class FrmNwUSB : public rt::Form {
public:
    FrmNwUSB();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

FrmNwUSB& frmNwUSB();

}  // namespace tavlo::watch
