#pragma once

#include "runtime/App.h"

namespace tavlo::online {

class FrmPopUp : public rt::Form {
public:
    FrmPopUp();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

FrmPopUp& frmPopUp();

}  // namespace tavlo::online
