#include "scanner/ScannerFixture.h"

namespace tavlo::testsupport {
namespace {

struct ScanDriver : ScannerTest {
    std::string status() { return c("lblCncMsg").caption(); }
};

TEST_F(ScanDriver, PendingSticksAreScannedLowestFirstWithTheTotalsAfterEachPass) {
    plug("GE");
    addFiles({"G:\\g.exe", "E:\\e.exe", "F:\\late.exe"});
    Texts atYield;
    h.ui.onDoEvents = [&] {
        atYield.push_back(status());
        EXPECT_TRUE(g.ScanInProgress && !c("txtPath1").enabled() && f().timer("tmrProg").enabled());
        if (atYield.size() == 2) plug("F");  // a stick plugged meanwhile joins the queue
        trigger();                           // and its trigger starts nothing
    };
    grid().setEnabled(false);
    trigger();
    EXPECT_EQ(column(1), (Texts{"E:\\e.exe", "F:\\late.exe", "G:\\g.exe"}));
    EXPECT_EQ(atYield[2] + "|" + status() + "|" + c("lblInfected").caption() + "|" + f().CurrentPage,
              "Risky Objects found: 1|Risky Objects found: 3|3|Scan");
    EXPECT_EQ(scanned('E') + scanned('F') + scanned('G') + g.ScanInProgress + listings("E:\\") * 10, 7);
    EXPECT_TRUE(c("txtPath1").enabled() && !f().timer("tmrProg").enabled() && !shown("picPrgrs1"));
    EXPECT_TRUE(shown("picCncMsg") && grid().enabled() && h.ui.pointers.back() == rt::PointerDefault);
}

TEST_F(ScanDriver, AlertsCloseWhenNoRowIsLeftToActOnEvenWithNothingScanned) {
    g.RiskyObjectCount = 7;
    grid().setEnabled(false);
    trigger();
    EXPECT_EQ(status() + "|" + std::to_string(closings()), "Risky Objects found: 7|1");
    EXPECT_TRUE(grid().enabled());
    for (const auto& call : h.sys.files.calls) EXPECT_NE(call.rfind("list ", 0), 0u) << call;
    plug("E");
    addFiles({"E:\\a.exe", "E:\\b.exe"});
    c("txtLastRow").onChange = [&] { grid().setTextMatrix(grid().rows() - 1, 3, "[Ignored]"); };
    trigger();
    EXPECT_EQ(closings(), 1u) << "E:\\a.exe is still open";
    grid().setTextMatrix(1, 4, "[Deleted]");
    plug("H");
    trigger();
    EXPECT_EQ(status() + "|" + std::to_string(closings()), "Risky Objects found: 9|2");
}

TEST_F(ScanDriver, AbortEndsThePassAndEveryQueuedDriveGetsAnAbortRow) {
    plug("EFG");
    addFiles({"E:\\a.exe", "E:\\b.exe", "F:\\c.exe", "G:\\d.exe"});
    h.ui.onDoEvents = [&] {
        if (grid().rows() == 2) g.AbortScanRequested = rt::True;
        if (grid().rows() == 3) g.DriveAttached[3] = rt::False;  // F: is pulled during its pass
    };
    trigger();
    EXPECT_EQ(column(1), (Texts{"E:\\a.exe", "Scanning Aborted...", "Scanning Aborted...", "Scanning Aborted..."}));
    EXPECT_EQ(std::to_string(scanned('E')) + std::to_string(scanned('F')) + std::to_string(scanned('G')), "-10-1");
}

TEST_F(ScanDriver, ManualScanMarksNoDriveAndAPendingRootGetsItsDrivePassAfter) {
    addFiles({"C:\\vir_test\\x.exe", "E:\\e.exe"});
    g.AbortScanRequested = rt::True;
    c("Label1").click();
    pressScan();
    EXPECT_EQ(f().ManualScan + g.AbortScanRequested, 0);
    plug("E");
    c("txtPath1").setText("E:\\");
    pressScan();
    EXPECT_EQ(column(1), (Texts{"C:\\vir_test\\x.exe", "E:\\e.exe", "E:\\e.exe"}));
    EXPECT_EQ(scanned('E') * 10 + scanned('C'), -10);
}

TEST_F(ScanDriver, ScanClickDuringAStickScanIsForgottenWhenTheWindowReloads) {
    plug("E");
    addFiles({"E:\\a.exe", "E:\\b.exe", "G:\\g.exe"});
    c("OptDrvPath").setValue(rt::True);
    bool once = true;
    h.ui.onDoEvents = [&] {
        if (grid().rows() != 2 || !std::exchange(once, false)) return;
        pressScan();
        EXPECT_EQ(f().ManualScan, rt::True);
        f().unload();  // what closing the full-desktop alert does
        f().show();
    };
    trigger();
    plug("G");
    trigger();
    EXPECT_EQ(column(1), (Texts{"E:\\b.exe", "G:\\g.exe"}));
    EXPECT_EQ(listings("C:\\vir_test") + static_cast<int>(h.ui.prompts().size()) + scanned('E') + scanned('G'), -2);
}

TEST_F(ScanDriver, CallEndedByAFailureLeavesTheScannerReady) {
    plug("E");
    addFiles({"E:\\a.exe"});
    c("txtLastRow").onChange = [] { throw rt::Error("Database failure"); };
    trigger();
    EXPECT_EQ(scanned('E') + g.ScanInProgress + static_cast<int>(h.ui.dialogs.size()), 0);
    EXPECT_TRUE(c("txtPath1").enabled() && !f().timer("tmrProg").enabled() && !shown("picPrgrs1"));
    c("txtLastRow").onChange = nullptr;
    trigger();
    EXPECT_EQ(scanned('E'), rt::True);
}

TEST_F(ScanDriver, TypedFolderGivesRowsWithFullPathsThatCanBeDeleted) {
    const std::pair<const char*, const char*> cases[] = {  // current folder: C:\Program Files\Tavlo
        {"sub", "C:\\Program Files\\Tavlo\\sub\\a.exe"}, {"C:sub", "C:\\Program Files\\Tavlo\\sub\\a.exe"},
        {"C:/x/sub", "C:\\x\\sub\\a.exe"},               {"C:\\x\\sub ", "C:\\x\\sub\\a.exe"},
        {"C:\\x\\sub.", "C:\\x\\sub\\a.exe"},            {"..\\Tavlo\\.\\sub", "C:\\Program Files\\Tavlo\\sub\\a.exe"},
        {"E:", "E:\\a.exe"}};
    for (auto [typed, row] : cases) {
        h.sys.files.addFile(row, 5);
        c("txtPath1").setText(typed);
        pressScan();
        const int r = grid().rows() - 1;
        EXPECT_EQ(cell(r, 1) + "|" + cell(r, 5), std::string(row) + "|" + row) << typed;
        pressDelete(r);
        EXPECT_EQ(std::to_string(h.sys.files.exists(row)) + cell(r, 4), "0[Deleted]") << typed;
    }
    EXPECT_EQ(h.ui.prompts(), Texts(7, "Delete  permanently. Continue?                    "));
}

struct ScanPage : ScannerTest {
    std::string paths() { return c("txtPath1").text() + "|" + c("txtPath2").text(); }
};

TEST_F(ScanPage, ChoosingTheFolderSelectsTheOptionAndAbortAsksFirst) {
    EXPECT_EQ(paths() + c("Label1").caption() + std::to_string(c("OptDrvPath").value()), "|C:\\vir_testFolder 0");
    for (const char* hidden : {"txtPath2", "PicNewClVen", "picPrgrs1", "Image1"}) EXPECT_FALSE(shown(hidden)) << hidden;
    g.AbortScanRequested = rt::True;
    pressScan();
    EXPECT_EQ(f().ManualScan * 10 + g.AbortScanRequested + static_cast<int>(h.sys.files.calls.size()), -1);
    for (int i = 0; i < 2; ++i) c("Label1").click();
    EXPECT_EQ(paths() + std::to_string(c("OptDrvPath").value()), "|C:\\vir_test-1");
    c("OptDrvPath").setValue(rt::False);
    c("txtPath1").setText("E");
    EXPECT_EQ(paths() + std::to_string(c("OptDrvPath").value()), "E|E-1");
    c("txtPath1").setText("");
    EXPECT_EQ(paths(), "|");
    c("txtLastRow").onChange = [&] { refreshes += g.AbortScanRequested == rt::True ? 1 : 100; };
    g.AbortScanRequested = rt::False;
    h.ui.answers = {rt::No, rt::Yes};
    c("cmdabort").click();
    EXPECT_EQ(g.AbortScanRequested + refreshes, 0);
    c("cmdabort").click();
    EXPECT_EQ(g.AbortScanRequested * 10 + refreshes, -9);
    const std::string abort = "Aborting scan is not recommended           \r\nAbort anyway?";
    EXPECT_EQ(h.ui.prompts(), (Texts{"Nothing selected to scan.           ", abort, abort}));
    EXPECT_EQ(h.ui.dialogs[0].style * 100 + h.ui.dialogs[1].style, 6452);
}

TEST_F(ScanPage, BrowsePanelOpensUnderTheButtonAndProgressRunsAcrossTheStrip) {
    EXPECT_EQ(c("DriveX1").text() + "|" + c("Dir1").text(), "c:|C:\\Program Files\\Tavlo");
    c("cmdBrowse").click();
    rt::Control& panel = c("PicNewClVen");
    EXPECT_EQ((std::vector<int>{panel.left(), panel.top(), panel.width(), panel.height(), c("Dir1").height(),
                                c("cmdOK").top(), panel.visible()}),
              (std::vector<int>{5400, 1790, 3735, f().height() - 2290, f().height() - 3425, f().height() - 2675, 1}));
    c("DriveX1").setText("a:");
    EXPECT_EQ(h.ui.prompts(), Texts{"Drive a: is not ready."});
    EXPECT_EQ(c("DriveX1").text() + "|" + c("Dir1").text(), "c:|C:\\Program Files\\Tavlo");
    c("DriveX1").setText("e:");
    c("Dir1").click();
    EXPECT_EQ(paths() + std::to_string(panel.visible()), "E:\\|E:\\0");
    c("cmdBrowse").click();
    c("lblBrowClos").click();
    EXPECT_EQ(paths() + std::to_string(panel.visible()), "E:\\|E:\\0");
    f().timer("tmrProg").setEnabled(true);
    std::vector<int> lefts, expected;
    for (int tick = 1; tick <= 24; ++tick) {
        h.clock.advance(120);
        lefts.push_back(c("Image1").left());
        expected.push_back(tick <= 22 ? 90 * tick : 90 * (tick - 23));
    }
    EXPECT_EQ(lefts, expected);
    EXPECT_TRUE(shown("picPrgrs1") && shown("Image1"));
}

}  // namespace
}  // namespace tavlo::testsupport
