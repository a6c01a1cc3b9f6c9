#pragma once

#include "runtime/App.h"

namespace tavlo::scanner {

class FrmIgnrLst : public rt::Form {
public:
    FrmIgnrLst();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

FrmIgnrLst& frmIgnrLst();

}  // namespace tavlo::scanner
