// A stick pulled in the middle of its scan: the walk ends with the scan-error
// message naming the drive, the rows found so far stay, the scanner is free
// for the next stick, and nothing is deleted; a Delete All on the rows of the
// gone stick finds no file and deletes nothing.
#include <gtest/gtest.h>

#include "hostile/HostileStick.h"

namespace tavlo::hostile {
namespace {

const std::string kDetached = "Scanning Error... Maybe the a device at E: has detached.";

struct StickPulled : HostileStickTest {
    StickPulled() {
        for (int folder = 0; folder < 5; ++folder)
            for (int file = 0; file < 20; ++file)
                stickFile("E:\\f" + std::to_string(folder) + "\\x" + std::to_string(file) + ".exe");
    }
    // Pulls the stick at the n-th yield of the scan (the drive vanishes; the
    // poll has not run yet, so the drive still counts as attached).
    void pullAtYield(int n) {
        h.ui.onDoEvents = [this, n] {
            if (h.ui.doEventsCount == n) h.sys.files.removeDrive(kStick);
        };
    }
};

TEST_F(StickPulled, MidScanTheWalkEndsWithTheDetachedMessage) {
    pullAtYield(30);
    plugAndScan();
    EXPECT_EQ(messages(), (Texts{kDetached}));
    EXPECT_EQ(h.ui.dialogs[0].style, rt::Information);
    EXPECT_FALSE(g().ScanInProgress);
    // What was found before the pull stays, and the total says so.
    const int found = static_cast<int>(rowPaths().size());
    EXPECT_GE(found, 20);
    EXPECT_LT(found, 100);
    expectTotal(found);
    EXPECT_TRUE(f().c("txtPath1").enabled());
    expectNothingDeleted();
}

TEST_F(StickPulled, EveryFileOfAGoneStickIsLeftAloneByDeleteAll) {
    pullAtYield(30);
    plugAndScan();
    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    for (const std::string& call : h.sys.files.calls) EXPECT_NE(call.rfind("remove ", 0), 0u) << call;
    for (int r = 1; r < grid().rows(); ++r) {
        EXPECT_EQ(grid().textMatrix(r, 3), "") << r;
        EXPECT_EQ(grid().textMatrix(r, 4), "") << r;
    }
}

TEST_F(StickPulled, TheNextStickIsScannedAfterAPulledOne) {
    pullAtYield(30);
    plugAndScan();
    h.ui.onDoEvents = nullptr;
    // The poll sees E: gone (its flags cleared), then a new stick at E:.
    g().DriveAttached[core::Globals::letterIndex(kStick)] = rt::False;
    g().DriveScanned[core::Globals::letterIndex(kStick)] = rt::False;
    const int before = static_cast<int>(rowPaths().size());
    plugAndScan();
    EXPECT_TRUE(scanFinished());
    EXPECT_EQ(static_cast<int>(rowPaths().size()), before + 100);
    expectTotal(before + 100);
    EXPECT_EQ(messages(), (Texts{kDetached}));
}

}  // namespace
}  // namespace tavlo::hostile
