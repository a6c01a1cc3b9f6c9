#include "WatchTest.h"

#include <array>
#include <cctype>

namespace tavlo::watch {
namespace {

using rt::False;
using rt::True;

struct PollTest : WatchTest {
    std::string letters(const std::array<short, core::kDriveLetters>& flags) {
        std::string found;
        for (char l = 'C'; l <= 'Z'; ++l)
            if (flags[core::Globals::letterIndex(l)]) found += l;
        return found;
    }
};

TEST_F(PollTest, EveryLoadOfTheTrayFormStartsItAfresh) {
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
        ASSERT_EQ(h.sys.tray.calls.size(), 2u);
        EXPECT_EQ(h.sys.tray.calls[0].message, platform::Tray::Add);
        const auto& sent = h.sys.tray.calls[1].data;
        EXPECT_EQ(h.sys.tray.calls[1].message, platform::Tray::Modify);
        EXPECT_EQ(sent.tip, std::string("Tavlo") + '\0' + std::string(58, ' '));
        EXPECT_EQ((std::vector<long long>{(long long)sent.hWnd, sent.id, sent.flags, sent.callbackMessage}),
                  (std::vector<long long>{(long long)frm1().hWnd(), 1, 7, 512}));
        EXPECT_NE(sent.icon, 0u);
        EXPECT_EQ(frm1().icon().handle, sent.icon);
        frm1().c("lblUsbTot").setCaption("E:");
        frm1().ShellIcon1().setSysMenu(True);
        frm1().unload();
        EXPECT_FALSE(h.sys.tray.shown);
    }
}

// Sticks present at each tick, and what the watch made of them.
struct Road {
    const char* name;
    Texts ticks;
    Texts alerts;
    Texts scanned;
    int scanTriggers, alertCloses;
    const char* attached;
    const char* listed;
    const char* status;
};

const Road kRoads[] = {
    {"no drive", {"", ""}, {}, {}, 0, 0, "", "", "No USB memory device"},
    {"one stick", {"", "E", "E"}, {"E:"}, {"E"}, 1, 0, "E", "E:", "USB memory device(s) Attached"},
    {"two at the first tick, C never polled", {"CFE"}, {"E:F:"}, {"E", "F"}, 1, 0, "EF", "E:F:",
     "USB memory device(s) Attached"},
    {"Z like any other", {"", "Z"}, {"Z:"}, {"Z"}, 1, 0, "Z", "Z:", "USB memory device(s) Attached"},
    {"one of two goes and comes back", {"EF", "E", "EF"}, {"E:F:", "E:F:"}, {"E", "F", "F"}, 2, 0, "EF", "E:F:",
     "USB memory device(s) Attached"},
    {"the last goes", {"E", "", "", ""}, {"E:"}, {"E"}, 1, 1, "", "", "No USB memory device"},
    {"swap within a tick", {"E", "F"}, {"E:"}, {"E", "F"}, 2, 0, "F", "F:", "USB memory device(s) Attached"},
};

struct RoadTest : PollTest, ::testing::WithParamInterface<Road> {};

TEST_P(RoadTest, EachTickListsTheSticksAlertsOnGrowthScansPendingOnesAndClosesOnTheLastRemoval) {
    const Road& road = GetParam();
    frm1().load();
    Texts alerts;
    for (std::size_t i = 0; i < road.ticks.size(); ++i) {
        for (char l : std::string("CDEFZ")) h.sys.files.removeDrive(l);
        for (char l : road.ticks[i]) plug(l);
        h.clock.advance(i == 0 ? 1 : 1000);
        if (frmNwUSB().loaded() && frmNwUSB().visible()) alerts.push_back(frmNwUSB().c("lblMsg").caption());
        frmNwUSB().unload();
    }
    Texts expected;
    for (const auto& list : road.alerts) expected.push_back("USB Memory Device Plugged (" + list + ")");
    EXPECT_EQ(alerts, expected);
    Texts objects;
    auto& grid = frm0().grid("MsfInfectd");
    for (int r = 1; r < grid.rows(); ++r) objects.push_back(grid.textMatrix(r, 1).substr(0, 1));
    EXPECT_EQ(objects, road.scanned);
    EXPECT_EQ(frm0().c("txtNo1").text(), std::string(road.scanTriggers, '.'));
    EXPECT_EQ(frm1().c("txtUnldAlrt").text(), std::string(road.alertCloses, '.'));
    EXPECT_EQ(letters(g.DriveAttached), road.attached);
    EXPECT_EQ(letters(g.DriveScanned), road.attached);
    EXPECT_EQ(frm1().c("lblUsbTot").caption(), road.listed);
    EXPECT_EQ(frm1().c("lblStatus").caption(), road.status);
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1000);
}
INSTANTIATE_TEST_SUITE_P(Roads, RoadTest, ::testing::ValuesIn(kRoads), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST_F(PollTest, PollDoesNothingWhileTheWatchIsOff) {
    g.UsbWatchEnabled = False;
    plug('E');
    frm1().load();
    h.clock.advance(50);
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1);
    EXPECT_EQ(frm1().c("lblStatus").caption() + frm1().c("lblUsbTot").caption() + frm0().c("txtNo1").text(), "");
    EXPECT_EQ(g.DriveAttached[2], False);
    EXPECT_FALSE(frmNwUSB().loaded());
    g.UsbWatchEnabled = True;
    h.clock.advance(1);
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1000);
    EXPECT_EQ(frm1().c("lblUsbTot").caption(), "E:");
}

// A tick during the yields of a running scan must not undo the user's abort.
TEST_F(PollTest, PendingStickClearsAnAbortAndTriggersTheScanUnlessOneRuns) {
    frm1().load();
    plug('E');
    g.AbortScanRequested = True;
    g.ScanInProgress = True;
    h.clock.advance(1);
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
    const char* name;
    bool fullDesktop;
    int answer;  // to the error report; 0: nothing fails
    bool alertLeft, mainShown, mainFresh;
    int topmostResets;
};

const Closing kClosings[] = {
    {"pop", false, 0, false, false, false, 1},
    {"pop_retry", false, rt::Retry, false, false, false, 2},
    {"full", true, 0, false, true, true, 1},
    {"full_retry", true, rt::Retry, false, true, true, 2},
    {"full_ignore", true, rt::Ignore, true, true, true, 1},
    {"full_abort", true, rt::Abort, true, false, true, 1},
};

struct ClosingTest : PollTest, ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingTest, ClosingTheAlerts) {
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
    if (!row.fullDesktop) {
        EXPECT_FALSE(frmNwUSB().loaded());
    }
    EXPECT_EQ(frmNwUScrn().loaded(), row.alertLeft);
    EXPECT_EQ(frm0().visible(), row.mainShown);
    EXPECT_EQ(frm0().hWnd() != main, row.mainFresh);
    EXPECT_EQ(calls("SetWindowPos " + id(frm0()) + " -2 3").size(), static_cast<std::size_t>(row.topmostResets));
    EXPECT_EQ(h.ui.pointers, row.answer == rt::Abort ? std::vector<int>{0} : std::vector<int>{});
}
INSTANTIATE_TEST_SUITE_P(Closings, ClosingTest, ::testing::ValuesIn(kClosings),
                         [](const auto& info) { return std::string(info.param.name); });

// Once a scan call has closed the alerts, its later failures are reported:
// E: leaves nothing to act on, so its pass closes the alerts; F:'s pass fails.
TEST_F(PollTest, ErrorsOfAScanCallAfterItClosedTheAlertsGoToTheErrorReport) {
    for (int answer : {rt::Abort, rt::Ignore}) {
        frm0().unload();  // an empty grid
        h.ui.dialogs.clear();
        h.ui.answers = {answer};
        const std::size_t closes = frm1().c("txtUnldAlrt").text().size();
        h.sys.files.addFolder("E:\\");
        h.sys.files.addFile("F:\\a.exe", 5);
        for (char l : {'E', 'F'}) {
            h.sys.files.setDrive(l, platform::DriveType::Removable);
            g.DriveAttached[core::Globals::letterIndex(l)] = True;
            g.DriveScanned[core::Globals::letterIndex(l)] = False;
        }
        frm0().c("txtLastRow").onChange = [closes] {
            if (frm1().c("txtUnldAlrt").text().size() > closes) throw rt::Error("Access denied");
        };
        frm0().c("txtNo1").append(".");
        expectErrorReport();
        EXPECT_EQ(frm1().c("txtUnldAlrt").text().size(), closes + 1);
        EXPECT_EQ(g.DriveScanned[core::Globals::letterIndex('F')], answer == rt::Ignore ? True : False);
    }
}

}  // namespace
}  // namespace tavlo::watch
