#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class FrmNwUScrn : public rt::Form {
public:
    FrmNwUScrn();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

FrmNwUScrn& frmNwUScrn();

}  // namespace tavlo::watch
