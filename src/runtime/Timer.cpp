#include "runtime/Timer.h"

#include "runtime/App.h"

namespace tavlo::rt {

Timer::Timer(Form& form, ControlDesign design) : Control(form, design), interval_(design.interval) {
    reschedule();
}

Timer::~Timer() {
    if (hasApp()) app().clock().stop(*this);
}

// A timer runs while it is enabled with an interval above 0; changing either
// restarts the count.
void Timer::reschedule() {
    auto& clock = app().clock();
    clock.stop(*this);
    if (enabled() && interval_ > 0) clock.start(*this, interval_);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    reschedule();
    notify(Prop::Timer);
}

void Timer::setEnabled(bool on) {
    Control::setEnabled(on);
    reschedule();
}

void Timer::tick() {
    if (enabled() && interval_ > 0 && onTimer) onTimer();
}

}  // namespace tavlo::rt
