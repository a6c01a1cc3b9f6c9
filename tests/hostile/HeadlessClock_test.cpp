// The clock of the headless program, which the hostile cases drive: a timer
// handler, or a yield inside one, may advance the clock itself (the drive
// poll ticking while a scan yields); the clock must not go back afterwards,
// or the next ticks of every timer come late.
#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"

namespace tavlo::rt {
namespace {

class TickingForm : public Form {
public:
    TickingForm() : Form("frmTicking") {}

protected:
    FormDesign formDesign() override { return {}; }
    void buildControls() override { addTimer("tmrPoll", 1000, true); }
};

TEST(HeadlessClock, ATickInsideATickDoesNotTurnTheClockBack) {
    platform::fake::HeadlessApp h;
    auto& form = h.app().instance<TickingForm>();
    form.load();
    int ticks = 0;
    form.timer("tmrPoll").onTimer = [&] {
        if (++ticks == 1) h.clock.advance(1000);  // a nested tick, as during a scan's yield
    };
    h.clock.advance(1000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(h.clock.now(), 2000);
    h.clock.advance(1000);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(h.clock.now(), 3000);
}

}  // namespace
}  // namespace tavlo::rt
