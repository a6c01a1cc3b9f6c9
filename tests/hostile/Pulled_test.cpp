// A stick pulled in the middle of its scan, before the drive poll notices or
// while it ticks during the scan's yields: the walk ends with the scan-error
// message, the rows found so far stay, the alert closes on the next tick,
// Delete All on the gone stick's rows deletes nothing, and the next stick at
// the same letter is scanned whole.
#include "hostile/HostileStick.h"
#include "watch/FrmNwUSB.h"

namespace tavlo::hostile {
namespace {

struct Pull {
    bool pollTicks;
    std::string message;
};

void PrintTo(const Pull& pull, std::ostream* os) { *os << pull.message; }

struct PulledTest : HostileStickTest, ::testing::WithParamInterface<Pull> {};

TEST_P(PulledTest, MidScanEndsCleanlyAndTheNextStickIsScanned) {
    start();
    for (int folder = 0; folder < 5; ++folder)
        for (int file = 0; file < 20; ++file) stickFile("E:\\f" + std::to_string(folder) + "\\x" + std::to_string(file) + ".exe");
    h.ui.onDoEvents = [this] {
        if (h.ui.doEventsCount != 30) return;
        h.sys.files.removeDrive('E');
        if (GetParam().pollTicks) h.clock.advance(1000);
    };
    plug();
    h.ui.onDoEvents = nullptr;
    EXPECT_EQ(messages(), (Texts{GetParam().message}));
    const int found = static_cast<int>(rowPaths().size());
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 100);
    expectTotal(found);
    expectNothingDeleted();
    h.clock.advance(1000);
    EXPECT_FALSE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());

    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    expectNothingDeleted();
    for (int r = 1; r < grid().rows(); ++r) EXPECT_EQ(grid().textMatrix(r, 3) + grid().textMatrix(r, 4), "") << r;

    plug();
    EXPECT_TRUE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    EXPECT_EQ(static_cast<int>(rowPaths().size()), found + 100);
    expectTotal(found + 100);
    EXPECT_EQ(messages(), (Texts{GetParam().message, "Confirm remove all items" + std::string(20, ' ')}));
    expectNothingDeleted();
}

INSTANTIATE_TEST_SUITE_P(Sticks, PulledTest,
                         ::testing::Values(Pull{false, "Scanning Error... Maybe the a device at E: has detached."},
                                           Pull{true, "Scanning Error... "}),
                         [](const auto& info) { return info.param.pollTicks ? "PollTicking" : "PollWaiting"; });

}  // namespace
}  // namespace tavlo::hostile
