#include "WatchTest.h"

namespace tavlo::watch {
namespace {

using rt::False;
using rt::True;

TEST_F(WatchTest, EveryLoadOfTheTrayFormStartsItAfresh) {
    Texts letters;
    for (char l = 'D'; l <= 'Z'; ++l) letters.push_back(std::string(1, l) + ":");
    for (int load = 0; load < 2; ++load) {
        h.sys.tray.calls.clear();
        frm1().load();
        EXPECT_EQ((std::vector<int>{frm1().left(), frm1().top(), frm1().width(), frm1().height()}),
                  (std::vector<int>{15360, 11520, 0, 0}));
        EXPECT_EQ(frm1().WatchedDrives, letters);
        EXPECT_EQ(frm1().c("lblUsbTot").caption(), "");
        EXPECT_EQ(frm1().ShellIcon1().SysMenu(), False);
        ASSERT_EQ(sent(), (Sent{platform::Tray::Add, platform::Tray::Modify}));
        const auto& data = h.sys.tray.calls[1].data;
        EXPECT_EQ(data.tip, std::string("Tavlo") + '\0' + std::string(58, ' '));
        EXPECT_EQ((std::vector<std::uint64_t>{data.hWnd, data.id, data.flags, data.callbackMessage, data.icon}),
                  (std::vector<std::uint64_t>{frm1().hWnd(), 1, 7, 512, frm1().icon().handle}));
        EXPECT_NE(data.icon, 0u);
        frm1().c("lblUsbTot").setCaption("E:");
        frm1().ShellIcon1().setSysMenu(True);
        frm1().unload();
        EXPECT_FALSE(h.sys.tray.shown);
    }
}

// The sticks present at each tick, and what the watch made of them.
struct Road {
    Texts ticks, alerts, scanned;
    int scanTriggers, alertCloses;
    const char *attached, *listed;
};
const Road kRoads[] = {
    {{"", ""}, {}, {}, 0, 0, "", ""},
    {{"", "E", "E"}, {"E:"}, {"E"}, 1, 0, "E", "E:"},
    {{"CFE"}, {"E:F:"}, {"E", "F"}, 1, 0, "EF", "E:F:"},  // C: is never polled
    {{"", "Z"}, {"Z:"}, {"Z"}, 1, 0, "Z", "Z:"},
    {{"EF", "E", "EF"}, {"E:F:", "E:F:"}, {"E", "F", "F"}, 2, 0, "EF", "E:F:"},  // F: goes and comes back
    {{"Z", "", "", ""}, {"Z:"}, {"Z"}, 1, 1, "", ""},                           // the last goes
    {{"E", "F"}, {"E:"}, {"E", "F"}, 2, 0, "F", "F:"},                          // a swap within a tick
};
struct RoadTest : WatchTest, ::testing::WithParamInterface<Road> {};

TEST_P(RoadTest, EachTickListsTheSticksAlertsWhenTheListGrowsScansPendingOnesAndClosesOnTheLastRemoval) {
    const Road& road = GetParam();
    frm1().load();
    Texts alerts, objects;
    for (std::size_t i = 0; i < road.ticks.size(); ++i) {
        for (char l : std::string("CDEFZ")) h.sys.files.removeDrive(l);
        for (char l : road.ticks[i]) plug(l);
        h.clock.advance(i == 0 ? 1 : 1000);
        if (frmNwUSB().loaded() && frmNwUSB().visible()) alerts.push_back(frmNwUSB().c("lblMsg").caption());
        frmNwUSB().unload();
    }
    for (auto& list : road.alerts) objects.push_back("USB Memory Device Plugged (" + list + ")");
    EXPECT_EQ(alerts, objects);
    objects.clear();
    auto& grid = frm0().grid("MsfInfectd");
    for (int r = 1; r < grid.rows(); ++r) objects.push_back(grid.textMatrix(r, 1).substr(0, 1));
    EXPECT_EQ(objects, road.scanned);
    EXPECT_EQ(frm0().c("txtNo1").text(), std::string(road.scanTriggers, '.'));
    EXPECT_EQ(frm1().c("txtUnldAlrt").text(), std::string(road.alertCloses, '.'));
    std::string attached, scanned;
    for (char l = 'C'; l <= 'Z'; ++l) {
        if (g.DriveAttached[core::Globals::letterIndex(l)]) attached += l;
        if (g.DriveScanned[core::Globals::letterIndex(l)]) scanned += l;
    }
    EXPECT_EQ(attached + "|" + scanned, road.attached + std::string("|") + road.attached);
    EXPECT_EQ(frm1().c("lblUsbTot").caption(), road.listed);
    EXPECT_EQ(frm1().c("lblStatus").caption(), *road.listed ? "USB memory device(s) Attached" : "No USB memory device");
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1000);
}
INSTANTIATE_TEST_SUITE_P(Roads, RoadTest, ::testing::ValuesIn(kRoads));

// Off, the poll ticks every millisecond and touches nothing. On, a pending
// stick clears an abort and starts the scan, unless a scan runs: a tick
// during its yields must not undo the user's abort.
TEST_F(WatchTest, PollWaitsForTheWatchAndLeavesARunningScanAlone) {
    g.UsbWatchEnabled = False;
    plug('E');
    frm1().load();
    h.clock.advance(50);
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1);
    EXPECT_EQ(frm1().c("lblStatus").caption() + frm1().c("lblUsbTot").caption(), "");
    EXPECT_EQ(g.DriveAttached[2], False);
    EXPECT_FALSE(frmNwUSB().loaded());
    g.UsbWatchEnabled = True;
    g.AbortScanRequested = g.ScanInProgress = True;
    h.clock.advance(1);
    EXPECT_EQ(frm1().c("lblUsbTot").caption(), "E:");
    EXPECT_EQ(g.AbortScanRequested, True);
    EXPECT_EQ(frm0().c("txtNo1").text(), "");
    g.ScanInProgress = False;
    h.clock.advance(1000);
    EXPECT_EQ(g.AbortScanRequested, False);
    EXPECT_EQ(frm0().c("txtNo1").text(), ".");
}

// Closing the alerts: with the main window inside the full-desktop alert it
// comes back as a fresh load; otherwise both alerts go and it stops being
// topmost. A failing step goes to the error report.
struct Closing {
    bool fullDesktop;
    int answer;  // to the error report; 0: nothing fails
    bool alertLeft, mainShown, mainFresh;
    std::size_t topmostResets;
};
const Closing kClosings[] = {
    {false, 0, false, false, false, 1},          {false, rt::Retry, false, false, false, 2},
    {true, 0, false, true, true, 1},             {true, rt::Retry, false, true, true, 2},
    {true, rt::Ignore, true, true, true, 1},     {true, rt::Abort, true, false, true, 1},
};
struct ClosingTest : WatchTest, ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingTest, ClosingTheAlertsGivesTheMainWindowBackItsOrdinaryState) {
    const Closing& row = GetParam();
    frmNwUSB().show();
    if (row.fullDesktop) frmNwUScrn().show();
    const rt::Handle main = frm0().hWnd();
    h.sys.windows.calls.clear();
    h.ui.pointers.clear();
    if (row.answer) failOnce("SetWindowPos");
    h.ui.answers = {row.answer};
    frm1().c("txtUnldAlrt").append(".");
    if (row.answer) expectErrorReport();
    EXPECT_EQ(h.ui.dialogs.size(), row.answer ? 1u : 0u);
    EXPECT_EQ(frmNwUSB().loaded(), row.fullDesktop);
    EXPECT_EQ(frmNwUScrn().loaded(), row.alertLeft);
    EXPECT_EQ(frm0().visible(), row.mainShown);
    EXPECT_EQ(frm0().hWnd() != main, row.mainFresh);
    EXPECT_EQ(calls("SetWindowPos " + id(frm0()) + " -2 3").size(), row.topmostResets);
    EXPECT_EQ(h.ui.pointers, row.answer == rt::Abort ? std::vector<int>{0} : std::vector<int>{});
}
INSTANTIATE_TEST_SUITE_P(Closings, ClosingTest, ::testing::ValuesIn(kClosings));

// Once a scan call has closed the alerts, its later failures are reported:
// E: leaves nothing to act on, so its pass closes the alerts; F:'s pass fails.
TEST_F(WatchTest, ErrorsOfAScanCallAfterItClosedTheAlertsGoToTheErrorReport) {
    h.sys.files.addFolder("E:\\");
    h.sys.files.addFile("F:\\a.exe", 5);
    for (char l : {'E', 'F'}) {
        h.sys.files.setDrive(l, platform::DriveType::Removable);
        g.DriveAttached[core::Globals::letterIndex(l)] = True;
    }
    frm0().c("txtLastRow").onChange = [] {
        if (!frm1().c("txtUnldAlrt").text().empty()) throw rt::Error("Access denied");
    };
    h.ui.answers = {rt::Ignore};
    frm0().c("txtNo1").append(".");
    expectErrorReport();
    EXPECT_EQ(frm1().c("txtUnldAlrt").text(), ".");
    EXPECT_EQ(g.DriveScanned[core::Globals::letterIndex('F')], True);
}

}  // namespace
}  // namespace tavlo::watch
