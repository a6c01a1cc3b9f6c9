#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "platform/fake/HeadlessApp.h"
#include "runtime/ErrorReport.h"
#include "watch/Frm1.h"

namespace tavlo::core {
namespace {

using platform::DriveType;

struct ScanDriverTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    Globals& g = globals();
    Frm0& w = frm0();

    ScanDriverTest() { h.sys.files.setDrive('C', DriveType::Fixed); }
    // Presses and releases the Scan button's face, as the mouse does.
    void pressScan() {
        rt::Control& face = w.c("mbtnScan.bttn");
        face.mouseDown(rt::LeftButton, 0, 30, 30);
        face.mouseUp(rt::LeftButton, 0, 30, 30);
    }

    // What the poll does when it sees a removable drive.
    void plug(char letter) {
        h.sys.files.setDrive(letter, DriveType::Removable);
        g.DriveAttached[Globals::letterIndex(letter)] = rt::True;
    }
    void pull(char letter) {
        h.sys.files.removeDrive(letter);
        g.DriveAttached[Globals::letterIndex(letter)] = rt::False;
        g.DriveScanned[Globals::letterIndex(letter)] = rt::False;
    }
    short scanned(char letter) { return g.DriveScanned[Globals::letterIndex(letter)]; }
    void trigger() { w.c("txtNo1").append("."); }
    rt::Grid& grid() { return w.grid("MsfInfectd"); }
    std::vector<std::string> paths() {
        std::vector<std::string> all;
        for (int r = 1; r < grid().rows(); ++r) all.push_back(grid().textMatrix(r, 1));
        return all;
    }
    int listings(const std::string& folder) {
        return static_cast<int>(std::count(h.sys.files.calls.begin(), h.sys.files.calls.end(), "list " + folder));
    }
    std::size_t closeTriggers() { return watch::frm1().c("txtUnldAlrt").text().size(); }
    std::string status() { return w.c("lblCncMsg").caption(); }
    // Lets the clock run the drive poll only: the start-up timers of the main
    // window and of the splash stay still.
    void watchDrives() {
        for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) w.timer(t).setEnabled(false);
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) frmSplash().timer(t).setEnabled(false);
        g.UsbWatchEnabled = rt::True;
        watch::frm1().load();
    }
};

TEST_F(ScanDriverTest, TwoPendingSticksAreScannedLowestFirstInOneCall) {
    plug('G');
    plug('E');
    h.sys.files.addFile("G:\\g.exe", 5);
    h.sys.files.addFile("E:\\e.exe", 5);
    std::vector<std::string> statusAtYield;
    h.ui.onDoEvents = [&] { statusAtYield.push_back(status()); };
    trigger();
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\e.exe", "G:\\g.exe"}));
    EXPECT_EQ(scanned('E'), rt::True);
    EXPECT_EQ(scanned('G'), rt::True);
    EXPECT_NE(std::find(statusAtYield.begin(), statusAtYield.end(), "Risky Objects found: 1"), statusAtYield.end());
    EXPECT_EQ(status(), "Risky Objects found: 2");
    EXPECT_EQ(w.c("lblInfected").caption(), "2");
    EXPECT_TRUE(w.c("picCncMsg").visible());
    EXPECT_EQ(w.CurrentPage, "Scan");
}

TEST_F(ScanDriverTest, StickPluggedDuringAScanIsScannedByTheSameCall) {
    plug('F');
    h.sys.files.addFile("F:\\f.exe", 5);
    h.sys.files.addFile("E:\\e.exe", 5);
    h.ui.onDoEvents = [&] {
        if (!g.DriveAttached[Globals::letterIndex('E')]) plug('E');
    };
    trigger();
    EXPECT_EQ(paths(), (std::vector<std::string>{"F:\\f.exe", "E:\\e.exe"}));
    EXPECT_EQ(scanned('E'), rt::True);
}

TEST_F(ScanDriverTest, TriggerDuringAScanChangesNothing) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    h.ui.onDoEvents = [&] { trigger(); };
    trigger();
    EXPECT_EQ(listings("E:\\"), 1);
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe", "E:\\b.exe"}));
    EXPECT_EQ(scanned('E'), rt::True);
    EXPECT_EQ(g.ScanInProgress, rt::False);
}

TEST_F(ScanDriverTest, ScanStateIsSetOnlyWhileThePassRuns) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    bool seen = false;
    h.ui.onDoEvents = [&] {
        seen = true;
        EXPECT_EQ(g.ScanInProgress, rt::True);
        EXPECT_FALSE(w.c("txtPath1").enabled());
        EXPECT_TRUE(w.timer("tmrProg").enabled());
    };
    trigger();
    ASSERT_TRUE(seen);
    EXPECT_EQ(g.ScanInProgress, rt::False);
    EXPECT_TRUE(w.c("txtPath1").enabled());
    EXPECT_FALSE(w.timer("tmrProg").enabled());
    EXPECT_FALSE(w.c("picPrgrs1").visible());
}

TEST_F(ScanDriverTest, ManualScanMarksNoDriveAndALaterStickIsScannedFromItsRoot) {
    h.sys.files.addFile("C:\\vir_test\\x.exe", 5);
    w.c("Label1").click();
    pressScan();
    EXPECT_EQ(paths(), (std::vector<std::string>{"C:\\vir_test\\x.exe"}));
    EXPECT_EQ(w.ManualScan, rt::False);
    for (short s : g.DriveScanned) EXPECT_EQ(s, rt::False);
    plug('E');
    h.sys.files.addFile("E:\\e.exe", 5);
    trigger();
    EXPECT_EQ(paths().back(), "E:\\e.exe");
    EXPECT_EQ(scanned('E'), rt::True);
}

TEST_F(ScanDriverTest, ManualScanOfAPendingRootIsFollowedByItsDrivePass) {
    plug('E');
    h.sys.files.addFile("E:\\e.exe", 5);
    w.c("txtPath1").setText("E:\\");
    pressScan();
    EXPECT_EQ(listings("E:\\"), 2);
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\e.exe", "E:\\e.exe"}));
    EXPECT_EQ(scanned('E'), rt::True);
}

TEST_F(ScanDriverTest, CallWithNothingToScanStillShowsTheTotalAndClosesTheAlerts) {
    trigger();
    EXPECT_EQ(status(), "Risky Objects found: 0");
    EXPECT_EQ(closeTriggers(), 1u);
    EXPECT_TRUE(h.sys.files.calls.empty() || listings("C:\\") == 0);
}

TEST_F(ScanDriverTest, OneActionableRowKeepsTheAlertsOpenNoneClosesThem) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    trigger();
    EXPECT_EQ(closeTriggers(), 0u);
    // The refresh finds every new row in the ignore list.
    w.c("txtLastRow").onChange = [&] {
        for (int r = 1; r < grid().rows(); ++r) grid().setTextMatrix(r, 3, "[Ignored]");
    };
    plug('G');
    h.sys.files.addFile("G:\\b.exe", 5);
    trigger();
    EXPECT_EQ(closeTriggers(), 1u);
}

TEST_F(ScanDriverTest, TotalsAccumulateAcrossScans) {
    plug('E');
    for (const char* f : {"E:\\1.exe", "E:\\2.exe", "E:\\3.com"}) h.sys.files.addFile(f, 5);
    trigger();
    EXPECT_EQ(status(), "Risky Objects found: 3");
    plug('G');
    for (const char* f : {"G:\\1.exe", "G:\\2.pif"}) h.sys.files.addFile(f, 5);
    trigger();
    EXPECT_EQ(status(), "Risky Objects found: 5");
    EXPECT_EQ(w.c("lblInfected").caption(), "5");
}

TEST_F(ScanDriverTest, DriveRemovedDuringItsPassIsNotMarked) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    h.ui.onDoEvents = [&] {
        if (g.DriveAttached[Globals::letterIndex('E')]) pull('E');
    };
    trigger();
    EXPECT_EQ(scanned('E'), rt::False);
    EXPECT_EQ(g.DriveAttached[Globals::letterIndex('E')], rt::False);
}

TEST_F(ScanDriverTest, AbortEndsThePassAndEveryQueuedDriveGetsAnAbortRow) {
    plug('E');
    plug('F');
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    h.sys.files.addFile("F:\\c.exe", 5);
    h.ui.onDoEvents = [&] {
        if (grid().rows() == 2) g.AbortScanRequested = rt::True;
    };
    trigger();
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe", "Scanning Aborted...", "Scanning Aborted..."}));
    EXPECT_EQ(scanned('E'), rt::True);
    EXPECT_EQ(scanned('F'), rt::True);
}

TEST_F(ScanDriverTest, ScanClickAfterAnAbortScansNormally) {
    g.AbortScanRequested = rt::True;
    h.sys.files.addFile("C:\\vir_test\\x.exe", 5);
    w.c("OptDrvPath").setValue(rt::True);
    pressScan();
    EXPECT_EQ(paths(), (std::vector<std::string>{"C:\\vir_test\\x.exe"}));
    EXPECT_EQ(g.AbortScanRequested, rt::False);
}

TEST_F(ScanDriverTest, ScanClickDuringAScanStartsNothingAndWaitsForTheNextPass) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    w.c("OptDrvPath").setValue(rt::True);
    h.ui.onDoEvents = [&] {
        if (w.ManualScan == rt::False) pressScan();
    };
    trigger();
    EXPECT_EQ(w.ManualScan, rt::True);
    EXPECT_EQ(listings("C:\\vir_test"), 0);
}

TEST_F(ScanDriverTest, CallEndedByAFailureLeavesTheScannerReadyForTheNextTrigger) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    w.c("txtLastRow").onChange = [] { throw rt::Error("Database failure"); };
    trigger();
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_EQ(scanned('E'), rt::False);  // the call ended before its drive was marked
    EXPECT_EQ(g.ScanInProgress, rt::False);
    EXPECT_TRUE(w.c("txtPath1").enabled());
    EXPECT_FALSE(w.timer("tmrProg").enabled());
    w.c("txtLastRow").onChange = nullptr;
    trigger();
    EXPECT_EQ(scanned('E'), rt::True);
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe", "E:\\a.exe"}));
}

TEST_F(ScanDriverTest, MainWindowReloadedDuringAScanEndsTheCallSafely) {
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    bool once = true;
    h.ui.onDoEvents = [&] {
        if (!once || grid().rows() != 2) return;
        once = false;
        w.unload();  // what closing the full-desktop alert does
        w.show();
    };
    trigger();
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\b.exe"}));
    EXPECT_EQ(scanned('E'), rt::True);
    EXPECT_EQ(g.ScanInProgress, rt::False);
}

TEST_F(ScanDriverTest, StickFoundByThePollIsScannedWithinItsTickAndItsRemovalClosesTheAlerts) {
    watchDrives();
    h.sys.files.setDrive('E', DriveType::Removable);
    h.sys.files.addFile("E:\\a.exe", 5);
    h.clock.advance(1);
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe"}));
    EXPECT_EQ(scanned('E'), rt::True);
    EXPECT_EQ(closeTriggers(), 0u);
    h.clock.advance(1000);
    EXPECT_EQ(listings("E:\\"), 1);  // a scanned stick is not scanned again
    h.sys.files.removeDrive('E');
    h.clock.advance(1000);
    EXPECT_EQ(closeTriggers(), 1u);
}

TEST_F(ScanDriverTest, PollTickDuringAScanLeavesTheUsersAbortStanding) {
    watchDrives();
    plug('E');
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    h.ui.onDoEvents = [&] {
        if (grid().rows() != 2 || g.AbortScanRequested) return;
        g.AbortScanRequested = rt::True;
        watch::frm1().PollUsbDrives();
    };
    trigger();
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe", "Scanning Aborted..."}));
}

TEST_F(ScanDriverTest, StickPulledWhileTheWalkIsInsideItEndsTheScanWithoutACrash) {
    watchDrives();
    h.sys.files.setDrive('E', DriveType::Removable);
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\sub1\\b.exe", 5);
    h.sys.files.addFile("E:\\sub2\\c.exe", 5);
    h.ui.onDoEvents = [&] {
        if (grid().rows() != 2 || !h.sys.files.exists("E:\\a.exe")) return;
        h.sys.files.removeDrive('E');
        watch::frm1().PollUsbDrives();  // the poll sees the stick gone and closes the alerts
    };
    h.clock.advance(1);
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Scanning Error... "}));
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe"}));
    EXPECT_EQ(listings("E:\\sub2"), 0);
    EXPECT_EQ(scanned('E'), rt::False);
    EXPECT_EQ(g.ScanInProgress, rt::False);
    EXPECT_EQ(closeTriggers(), 1u);
}

}  // namespace
}  // namespace tavlo::core
