#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "WatchFixture.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUScrn.h"
#include "watch/FrmNwUSB.h"

namespace tavlo::watch {
namespace {

using platform::DriveType;
using rt::False;
using rt::True;

int letter(char l) { return core::Globals::letterIndex(l); }

struct PollTest : WatchTest {
    void SetUp() override {
        g.UsbWatchEnabled = True;
        g.NotifyFullDesktop = False;
        frm1().show();
    }
    // The first tick comes 1 ms after the load, every later one a second on.
    void firstTick() { h.clock.advance(1); }
    void tick() { h.clock.advance(1000); }
    // A stick with a risky file: its row keeps the alerts open after the scan.
    void plug(char l) {
        h.sys.files.setDrive(l, DriveType::Removable);
        h.sys.files.addFolder(std::string(1, l) + ":\\");
        h.sys.files.addFile(std::string(1, l) + ":\\autorun.inf", 40);
    }
    void unplug(char l) { h.sys.files.removeDrive(l); }
    std::string status() { return frm1().c("lblStatus").caption(); }
    std::string listed() { return frm1().c("lblUsbTot").caption(); }
    // Each request to close the alerts appends "." to the trigger.
    int alertCloses() { return static_cast<int>(frm1().c("txtUnldAlrt").text().size()); }
    std::string scanTriggers() { return core::frm0().c("txtNo1").text(); }
    bool smallAlertShown() { return frmNwUSB().loaded() && frmNwUSB().visible(); }
    // The objects of the results grid, in row order.
    std::vector<std::string> scannedObjects() {
        auto& grid = core::frm0().grid("MsfInfectd");
        std::vector<std::string> objects;
        for (int row = 1; row < grid.rows(); ++row) objects.push_back(grid.textMatrix(row, 1));
        return objects;
    }
};

TEST_F(PollTest, LoadPutsTheInvisibleFormInTheBottomRightCorner) {
    EXPECT_EQ(frm1().width(), 0);
    EXPECT_EQ(frm1().height(), 0);
    EXPECT_EQ(frm1().left(), h.ui.screenWidth());
    EXPECT_EQ(frm1().top(), h.ui.screenHeight());
    ASSERT_EQ(frm1().WatchedDrives.size(), 23u);
    EXPECT_EQ(frm1().WatchedDrives.front(), "D:");
    EXPECT_EQ(frm1().WatchedDrives.back(), "Z:");
    EXPECT_EQ(frm1().ShellIcon1().ToolTipText(), ShellIcon::tipField("Tavlo"));
    EXPECT_EQ(frm1().icon(), frm1().ShellIcon1().Icon());
    EXPECT_EQ(frm1().icon().resource, Frm1::kTrayIcon);
}

TEST_F(PollTest, TheIconGoesIntoTheTrayAtLoadWithItsTip) {
    auto& calls = h.sys.tray.calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].message, platform::Tray::Add);
    EXPECT_EQ(calls[1].message, platform::Tray::Modify);
    EXPECT_EQ(calls[1].data.tip, ShellIcon::tipField("Tavlo"));
    EXPECT_NE(calls[1].data.icon, 0u);
    EXPECT_EQ(frm1().ShellIcon1().SysMenu(), False);
}

TEST_F(PollTest, NoDriveShowsNoAlertAndTriggersNothing) {
    firstTick();
    tick();
    EXPECT_EQ(status(), "No USB memory device");
    EXPECT_EQ(listed(), "");
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(scanTriggers(), "");
    EXPECT_EQ(alertCloses(), 0);
}

TEST_F(PollTest, PollTicksEveryMillisecondUntilTheWatchIsOnThenEverySecond) {
    g.UsbWatchEnabled = False;
    plug('E');
    h.clock.advance(50);
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1);
    EXPECT_EQ(listed(), "");
    EXPECT_EQ(status(), "");
    EXPECT_EQ(g.DriveAttached[letter('E')], False);
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_EQ(scanTriggers(), "");

    g.UsbWatchEnabled = True;
    firstTick();
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1000);
}

TEST_F(PollTest, DisabledWatchLeavesLabelsFlagsAndAlertsAsTheyAre) {
    plug('E');
    firstTick();
    frmNwUSB().unload();
    g.UsbWatchEnabled = False;
    unplug('E');
    plug('F');
    tick();
    tick();
    EXPECT_EQ(listed(), "E:");
    EXPECT_EQ(status(), "USB memory device(s) Attached");
    EXPECT_EQ(g.DriveAttached[letter('E')], True);
    EXPECT_EQ(g.DriveAttached[letter('F')], False);
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_EQ(alertCloses(), 0);
}

TEST_F(PollTest, StickPluggedGivesOneAlertAndOneScan) {
    firstTick();
    plug('E');
    tick();
    EXPECT_EQ(status(), "USB memory device(s) Attached");
    EXPECT_EQ(listed(), "E:");
    EXPECT_TRUE(smallAlertShown());
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:)");
    EXPECT_EQ(g.DriveAttached[letter('E')], True);
    EXPECT_EQ(scanTriggers(), ".");
    EXPECT_EQ(g.DriveScanned[letter('E')], True);
    EXPECT_EQ(scannedObjects(), std::vector<std::string>{"E:\\autorun.inf"}) << "scanned within the tick";

    frmNwUSB().unload();
    tick();
    tick();
    EXPECT_FALSE(frmNwUSB().loaded()) << "no further alert while E: stays";
    EXPECT_EQ(scanTriggers(), ".");
}

TEST_F(PollTest, TwoSticksAtTheFirstTickGiveOneAlertNamingBoth) {
    plug('E');
    plug('F');
    plug('C');  // C: is never polled
    firstTick();
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:F:)");
    EXPECT_EQ(listed(), "E:F:");
    EXPECT_EQ(g.DriveAttached[letter('C')], False);
    EXPECT_EQ(scannedObjects(), (std::vector<std::string>{"E:\\autorun.inf", "F:\\autorun.inf"}))
        << "both scanned, E: first";
}

TEST_F(PollTest, PendingStickAtZIsScannedLikeAnyOther) {
    firstTick();
    plug('Z');
    tick();
    EXPECT_EQ(listed(), "Z:");
    EXPECT_EQ(g.DriveAttached[letter('Z')], True);
    EXPECT_EQ(scanTriggers(), ".");
}

TEST_F(PollTest, PendingLetterClearsAnAbortBeforeTheTrigger) {
    firstTick();
    g.AbortScanRequested = True;
    plug('E');
    tick();
    EXPECT_EQ(scanTriggers(), ".");
    EXPECT_EQ(g.AbortScanRequested, False);
}

// A tick during the yields of a running scan must not undo the user's abort.
TEST_F(PollTest, TickDuringARunningScanKeepsTheAbortAndLeavesTheScanAlone) {
    firstTick();
    g.ScanInProgress = True;
    g.AbortScanRequested = True;
    plug('E');
    tick();
    EXPECT_EQ(g.DriveAttached[letter('E')], True) << "the poll still notices the stick";
    EXPECT_EQ(g.AbortScanRequested, True);
    EXPECT_EQ(scanTriggers(), "");
}

TEST_F(PollTest, UsersAbortSurvivesATickDuringTheScan) {
    firstTick();
    plug('E');
    for (const char* name : {"E:\\a.exe", "E:\\b.exe", "E:\\c.exe"}) h.sys.files.addFile(name, 100);
    bool aborted = false;
    h.ui.onDoEvents = [&] {
        if (!g.ScanInProgress || aborted) return;
        aborted = true;
        g.AbortScanRequested = True;  // the user's abort
        h.clock.advance(1000);        // and a tick of the poll while the scan yields
    };
    tick();
    ASSERT_TRUE(aborted);
    EXPECT_EQ(g.AbortScanRequested, True);
    const auto objects = scannedObjects();
    EXPECT_NE(std::find(objects.begin(), objects.end(), "Scanning Aborted..."), objects.end());
    EXPECT_LT(objects.size(), 4u) << "the scan stopped before the end of the stick";
}

TEST_F(PollTest, RemovingOneOfTwoClearsItsFlagsWithoutAlertOrClose) {
    plug('E');
    plug('F');
    firstTick();
    frmNwUSB().unload();
    unplug('F');
    tick();
    EXPECT_EQ(listed(), "E:");
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_EQ(alertCloses(), 0);
    EXPECT_EQ(g.DriveAttached[letter('F')], False);
    EXPECT_EQ(g.DriveScanned[letter('F')], False);
    EXPECT_EQ(g.DriveScanned[letter('E')], True);

    plug('F');
    tick();
    EXPECT_EQ(frmNwUSB().c("lblMsg").caption(), "USB Memory Device Plugged (E:F:)");
    EXPECT_EQ(g.DriveScanned[letter('F')], True) << "scanned again when it came back";
}

TEST_F(PollTest, RemovingTheLastStickClosesTheAlertsOnce) {
    plug('E');
    firstTick();
    ASSERT_TRUE(smallAlertShown());
    const int before = alertCloses();
    unplug('E');
    tick();
    tick();
    tick();
    EXPECT_EQ(alertCloses() - before, 1);
    EXPECT_EQ(h.sys.windows.calls.back(), "SetWindowPos " + std::to_string(core::frm0().hWnd()) + " -2 3")
        << "the main window is no longer topmost";
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_EQ(status(), "No USB memory device");
    EXPECT_EQ(g.DriveAttached[letter('E')], False);
    EXPECT_EQ(g.DriveScanned[letter('E')], False);
}

TEST_F(PollTest, SwapWithinOneTickShowsNoAlertButScansTheNewStick) {
    plug('E');
    firstTick();
    frmNwUSB().unload();
    unplug('E');
    plug('F');
    tick();
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_EQ(g.DriveAttached[letter('E')], False);
    EXPECT_EQ(g.DriveScanned[letter('F')], True);
    EXPECT_EQ(alertCloses(), 0);
}

TEST_F(PollTest, EachAlertUsesTheStyleChosenAtItsTick) {
    firstTick();
    plug('E');
    tick();
    EXPECT_TRUE(smallAlertShown());
    EXPECT_FALSE(frmNwUScrn().loaded());

    g.NotifyFullDesktop = True;
    plug('F');
    tick();
    ASSERT_TRUE(frmNwUScrn().loaded());
    EXPECT_TRUE(frmNwUScrn().visible());
    EXPECT_EQ(frmNwUScrn().c("lblMsg").caption(), "USB Memory Device Plugged (E:F:)");
    EXPECT_EQ(frmNwUScrn().c("txtmnScrn").text(), ".");
}

TEST_F(PollTest, ClosingOutsideTheFullDesktopAlertUnloadsBothAlerts) {
    frmNwUSB().show();
    ASSERT_FALSE(g.FullDesktopAlertShown);
    frm1().c("txtUnldAlrt").append(".");
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_FALSE(frmNwUScrn().loaded());
    EXPECT_EQ(h.sys.windows.calls.back(), "SetWindowPos " + std::to_string(core::frm0().hWnd()) + " -2 3");
    EXPECT_TRUE(h.ui.prompts().empty());
}

TEST_F(PollTest, ClosingTheFullDesktopAlertReloadsTheMainWindow) {
    core::frm0().show();
    core::frm0().setCaption("embedded");
    frmNwUScrn().show();
    g.FullDesktopAlertShown = True;
    frm1().c("txtUnldAlrt").append(".");
    EXPECT_FALSE(frmNwUScrn().loaded());
    ASSERT_TRUE(core::frm0().loaded());
    EXPECT_TRUE(core::frm0().visible());
    EXPECT_NE(core::frm0().caption(), "embedded") << "a fresh load";
}

}  // namespace
}  // namespace tavlo::watch
