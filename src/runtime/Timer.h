// A timer control: ticks every Interval milliseconds while Enabled.
#pragma once

#include "runtime/Control.h"

namespace tavlo::rt {

class Timer : public Control {
public:
    Timer(Form& form, ControlDesign design);
    ~Timer() override;

    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return Control::enabled(); }
    void setEnabled(bool on);

    std::function<void()> onTimer;
    // Called by the clock when the interval has passed.
    void tick();

private:
    void reschedule();
    int interval_;
};

}  // namespace tavlo::rt
