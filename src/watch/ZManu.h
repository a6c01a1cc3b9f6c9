#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class ZManu : public rt::Form {
public:
    ZManu();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

ZManu& zManu();

}  // namespace tavlo::watch
