// A hostile stick on the whole road of the program: started as usual, the
// tray form's drive poll finds the stick, alerts and scans it; the poll goes
// on ticking while the scan yields. Pulled in the middle of its scan, the
// stick ends the walk with the scan-error message, the alerts close, nothing
// is deleted, and the next stick at the same letter is alerted and scanned.
#include <gtest/gtest.h>

#include "core/FrmSplash.h"
#include "core/Program.h"
#include "hostile/HostileStick.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUSB.h"

namespace tavlo::hostile {
namespace {

struct WholeRoad : HostileStickTest {
    WholeRoad() {
        core::StartProgram();
        h.clock.advance(1000);
        core::frmSplash().timer("tmrShw").setEnabled(false);
        g().UsbWatchEnabled = rt::True;
        g().NotifyFullDesktop = rt::False;
        watch::frm1().show();
        h.clock.advance(1);  // the poll's first tick: no stick yet
        h.ui.dialogs.clear();
    }
    void tick() { h.clock.advance(1000); }
    int alertCloses() { return static_cast<int>(watch::frm1().c("txtUnldAlrt").text().size()); }
    void makeStick() {
        for (int folder = 0; folder < 5; ++folder)
            for (int file = 0; file < 20; ++file)
                stickFile("E:\\f" + std::to_string(folder) + "\\x" + std::to_string(file) + ".exe");
    }
};

TEST_F(WholeRoad, StickPulledMidScanWhileThePollTicksEndsCleanlyAndTheNextStickIsScanned) {
    makeStick();
    // At the 30th yield of the scan the stick is pulled, and the poll ticks
    // while the scan still yields: it sees the drive gone.
    h.ui.onDoEvents = [this] {
        if (h.ui.doEventsCount != 30) return;
        h.sys.files.removeDrive(kStick);
        tick();
    };
    h.sys.files.setDrive(kStick, platform::DriveType::Removable);
    const int closesBefore = alertCloses();
    tick();  // the poll sees the stick: alert, then the scan inside the tick
    h.ui.onDoEvents = nullptr;

    EXPECT_EQ(messages(), (Texts{"Scanning Error... "}));
    EXPECT_FALSE(g().ScanInProgress);
    const int index = core::Globals::letterIndex(kStick);
    EXPECT_EQ(g().DriveAttached[index], rt::False);
    EXPECT_EQ(g().DriveScanned[index], rt::False);
    EXPECT_GE(alertCloses() - closesBefore, 1);
    EXPECT_FALSE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    const int found = static_cast<int>(rowPaths().size());
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 100);
    expectTotal(found);
    expectNothingDeleted();

    // The next stick at E: is alerted and scanned whole.
    h.sys.files.setDrive(kStick, platform::DriveType::Removable);
    tick();
    EXPECT_TRUE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    EXPECT_EQ(g().DriveScanned[index], rt::True);
    EXPECT_EQ(static_cast<int>(rowPaths().size()), found + 100);
    expectTotal(found + 100);
    EXPECT_EQ(messages(), (Texts{"Scanning Error... "}));
    expectNothingDeleted();
}

}  // namespace
}  // namespace tavlo::hostile
