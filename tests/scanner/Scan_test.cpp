#include <map>

#include "scanner/ScannerFixture.h"

namespace tavlo::testsupport {
namespace {

constexpr const char* VR = "Very Risky";
constexpr const char* R = "Risky";

TEST_F(ScanEngine, RatesByNameExtensionAndExactSize) {
    const std::tuple<const char*, std::uint64_t, const char*> cases[] = {  // name, size, rating ("" gives no row)
        {"t01.exe", 352256, VR}, {"t02.exe", 240128, VR}, {"t03.exe", 98304, VR}, {"t04.exe", 431295, VR},
        {"t05.exe", 1512065, VR}, {"t06.exe", 817258, VR}, {"t07.exe", 616609, VR}, {"t08.exe", 557056, VR},
        {"t10.com", 114365, VR}, {"t11.exe", 45509, VR}, {"t12.exe", 111, VR}, {"t15.pif", 171519, VR},
        {"T16.EXE", 98304, VR}, {"t17.Com", 114365, VR}, {"t18.PIF", 171519, VR}, {"AUTORUN.INF", 10, VR},
        {"sub\\Autorun.Inf", 111, VR}, {"sub2\\autorun.inf", 1590000, VR}, {"p1.exe", 114365, R}, {"p2.com", 352256, R},
        {"p3.pif", 111, R}, {"p4.exe", 171519, R}, {"p5.exe", 352257, R}, {"p6.exe", 110, R}, {"SETUP.EXE", 1000, R},
        {"a.b.COM", 5, R}, {"x.Pif", 0, R}, {"autorun.inf.exe", 5, R}, {"big.exe", 1590000, R},
        {"huge.exe", 1590001, ""}, {"sub3\\autorun.inf", 1590001, ""}, {"readme.txt", 111, ""}, {"autorun.in", 5, ""},
        {"exe", 111, ""}, {"x.exe.txt", 111, ""}, {"trailing.", 111, ""}, {"a.exf", 5, ""}, {"b.cmo", 5, ""}};
    std::map<std::string, std::string> expected, found;
    int examined = 0;
    for (auto [name, size, rating] : cases) {
        h.sys.files.addFile(std::string("E:\\") + name, size);
        if (*rating) expected[std::string("E:\\") + name] = rating;
        examined += size <= 1590000;
    }
    scan("E:\\");
    for (int r = 1; r < grid().rows(); ++r) {
        found[cell(r, 1)] = cell(r, 2);
        EXPECT_EQ(cell(r, 3) + cell(r, 4) + cell(r, 5) + cell(r, 6), "IgnoreDelete" + cell(r, 1));
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(g.RiskyObjectCount * 1000 + std::stoi(c("lblCount").caption()), expected.size() * 1000 + examined);
    EXPECT_EQ(h.ui.doEventsCount, examined + 3) << "one yield per examined file and per subfolder";
}

TEST_F(ScanEngine, StopsWhereAnAbortOrTheEndOfTheScanIsSeen) {
    // files; the yield at which the abort comes (0: before the scan) or, with false, ScanInProgress goes False;
    // the rows, the file count and a folder left unvisited
    const std::tuple<Texts, int, bool, Texts, std::string, std::string> cases[] = {
        {{"E:\\a.exe", "E:\\sub\\b.exe"}, 0, true, {"Scanning Aborted..."}, "", "E:\\sub"},
        {{"E:\\a\\b\\1.exe", "E:\\a\\b\\2.exe", "E:\\a\\c\\3.exe", "E:\\z\\4.exe"}, 1, true,
         {"E:\\a\\b\\1.exe", "Scanning Aborted..."}, "1", "E:\\z"},
        {{"E:\\a\\1.exe", "E:\\b\\c\\x.dat"}, 1, true, {"E:\\a\\1.exe"}, "1", "E:\\b"},
        {{"E:\\a.exe", "E:\\b.exe", "E:\\sub\\c.exe"}, 1, false, {"E:\\a.exe"}, "", "E:\\sub"},
    };
    for (const auto& [files, atYield, abort, rows, count, unvisited] : cases) {
        platform::fake::HeadlessApp fresh;
        core::Globals& gs = core::globals();
        fresh.sys.files.setDrive('E', DriveType::Removable);
        for (const auto& p : files) fresh.sys.files.addFile(p, 5);
        auto stop = [&] { (abort ? gs.AbortScanRequested : gs.ScanInProgress) = abort ? rt::True : rt::False; };
        gs.ScanInProgress = rt::True;
        if (atYield == 0) stop();
        int yields = 0;
        fresh.ui.onDoEvents = [&] {
            if (++yields == atYield) stop();
        };
        scanner::ScanFolder("E:\\");
        EXPECT_TRUE(column(1) == rows && column(5) == rows) << rows.back();
        if (rows.back() == "Scanning Aborted...") EXPECT_EQ(actions(grid().rows() - 1), "||");
        EXPECT_EQ(c("lblCount").caption(), count) << rows.back();
        const auto& calls = fresh.sys.files.calls;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "list " + unvisited), 0) << rows.back();
    }
}

TEST_F(ScanEngine, FolderThatCannotBeListedIsReportedNamingTheHighestDetachedDrive) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // path, letters attached, of those still removable, the drive named
        {"C:\\vir_test", "", "", ""}, {"", "", "", ""}, {"E:\\gone", "E", "E", ""}, {"E:\\", "EG", "", "G:"},
        {"G:\\x", "EGH", "H", "G:"}, {"D:\\", "CDEFGHIJKLMNOPQRSTUVWXYZ", "", "Z:"}};
    for (auto [path, attached, removable, named] : cases) {
        platform::fake::HeadlessApp fresh;
        core::Globals& gs = core::globals();
        for (const char* l = attached; *l; ++l)
            gs.DriveAttached[*l - 'C'] = gs.DriveScanned[*l - 'C'] = rt::True;
        for (const char* l = removable; *l; ++l) fresh.sys.files.setDrive(*l, DriveType::Removable);
        gs.ScanInProgress = rt::True;
        int refreshed = 0;
        c("txtLastRow").onChange = [&] { ++refreshed; };
        scanner::ScanFolder(path);
        const std::string text = *named ? std::string("Maybe the a device at ") + named + " has detached." : "";
        EXPECT_EQ(fresh.ui.prompts(), Texts{"Scanning Error... " + text}) << path << " " << attached;
        EXPECT_EQ(fresh.ui.dialogs[0].style, 64);
        EXPECT_EQ(refreshed + grid().rows(), 2);
    }
}

TEST_F(ScanEngine, UnreadableSubfolderIsSkippedAndAPulledStickEndsTheWalk) {
    for (const char* p : {"E:\\a\\locked.exe", "E:\\b\\open.exe", "E:\\b\\c\\x.exe", "E:\\d\\y.exe", "E:\\f\\z.exe"})
        h.sys.files.addFile(p, 5);
    h.sys.files.setUnreadable("E:\\a");
    g.DriveAttached[2] = rt::True;
    h.ui.onDoEvents = [&] {
        if (grid().rows() == 3) h.sys.files.removeDrive('E');
    };
    scan("E:\\");
    const Texts said{"Scanning Error... ", "Scanning Error... Maybe the a device at E: has detached."};
    EXPECT_EQ(h.ui.prompts(), said);
    EXPECT_EQ(column(1), (Texts{"E:\\b\\open.exe", "E:\\b\\c\\x.exe"}));
    EXPECT_EQ(listings("E:\\d") * 10 + listings("E:\\f"), 10);
}

TEST_F(ScanDriver, PendingSticksAreScannedLowestFirstWithTheTotalsAfterEachPass) {
    plug("GE");
    addFiles({"G:\\g.exe", "E:\\e.exe", "F:\\late.exe"});
    Texts atYield;
    h.ui.onDoEvents = [&] {
        atYield.push_back(c("lblCncMsg").caption());
        EXPECT_TRUE(g.ScanInProgress && !c("txtPath1").enabled() && f().timer("tmrProg").enabled());
        if (atYield.size() == 2) plug("F");  // a stick plugged meanwhile joins the queue
        trigger();                           // and its trigger starts nothing
    };
    grid().setEnabled(false);
    trigger();
    EXPECT_EQ(column(1), (Texts{"E:\\e.exe", "F:\\late.exe", "G:\\g.exe"}));
    EXPECT_EQ(atYield[2] + "|" + c("lblCncMsg").caption() + "|" + c("lblInfected").caption() + "|" + f().CurrentPage,
              "Risky Objects found: 1|Risky Objects found: 3|3|Scan");
    EXPECT_EQ(scanned('E') + scanned('F') + scanned('G') + g.ScanInProgress + listings("E:\\") * 10, 7);
    EXPECT_EQ(closings(), 0u);
    EXPECT_TRUE(c("txtPath1").enabled() && !f().timer("tmrProg").enabled() && !shown("picPrgrs1"));
    EXPECT_TRUE(shown("picCncMsg") && grid().enabled() && h.ui.pointers.back() == rt::PointerDefault);
}

// The strip, its image and the abort picture show only during the pass and
// the path box is disabled only then; the buttons and the grid stay usable,
// the row buttons stay over the clicked row, and the grid gains one row per
// risky file.
TEST_F(ScanDriver, ScanPageShowsTheProgressOnlyDuringAPassAndKeepsItsButtons) {
    plug("E");
    addFiles({"E:\\a.exe", "E:\\b.txt"});
    f().OpenScanPage();
    click(addRow("F:\\old.exe"), 4);
    std::string during;
    h.ui.onDoEvents = [&] {
        h.clock.advance(120);
        if (during.empty()) during = scanPage();
    };
    trigger();
    EXPECT_EQ(during,
              "mbtnScan picPrgrs1 Image1 cmdabort picPrgrsR(hidden) txtPath1(off) MsfInfectd cmdIgn cmdDel cmdDeltAll "
              "cmdIgnrLst picCncMsg(hidden)");
    EXPECT_EQ(scanPage(),
              "mbtnScan picPrgrs1(hidden) Image1 cmdabort picPrgrsR(hidden) txtPath1 MsfInfectd cmdIgn cmdDel cmdDeltAll "
              "cmdIgnrLst picCncMsg");
    EXPECT_EQ(grid().rows(), 3);
}

TEST_F(ScanDriver, CallWithNothingToScanShowsTheTotalAndClosesTheAlerts) {
    grid().setEnabled(false);
    trigger();
    EXPECT_EQ(c("lblCncMsg").caption(), "Risky Objects found: 0");
    EXPECT_EQ(closings() * 10 + grid().enabled(), 11u) << "the alerts close once; the grid takes clicks";
    for (const auto& call : h.sys.files.calls) EXPECT_NE(call.rfind("list ", 0), 0u) << call;
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

TEST_F(ScanDriver, ScanClickDuringAStickScanIsForgottenWhenTheWindowReloads) {
    plug("E");
    addFiles({"E:\\a.exe", "E:\\b.exe", "G:\\g.exe"});
    c("OptDrvPath").setValue(rt::True);
    bool once = true;
    h.ui.onDoEvents = [&] {
        if (grid().rows() != 2 || !std::exchange(once, false)) return;
        pressScan();
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
    h.ui.onDoEvents = [&] { h.clock.advance(100); };  // the progress strip shows meanwhile
    trigger();
    EXPECT_EQ(scanned('E') + g.ScanInProgress + static_cast<int>(h.ui.dialogs.size()), 0);
    EXPECT_TRUE(c("txtPath1").enabled() && !f().timer("tmrProg").enabled() && !shown("picPrgrs1"));
}

TEST_F(ScanDriver, ManualPassesScanTheFolderAsTypedCompletedToAFullPathAndMarkNoDrive) {
    addFiles({"C:\\vir_test\\x.exe", "F:\\f.exe"});
    g.AbortScanRequested = rt::True;
    c("Label1").click();
    pressScan();
    EXPECT_EQ(cell(1, 1) + std::to_string(f().ManualScan + g.AbortScanRequested), "C:\\vir_test\\x.exe0");
    pressDelete(1);  // "C:" below walks the whole drive
    const std::string deep = "C:\\" + std::string(300, 'd'), hostile = "C:\\" + std::string(100000, 'h');
    const std::pair<std::string, std::string> cases[] = {  // current folder: C:\Program Files\Tavlo; "": no folder
        {"sub", "C:\\Program Files\\Tavlo\\sub\\a.exe"},
        {"C:sub", "C:\\Program Files\\Tavlo\\sub\\a.exe"},
        {"C:/x/sub", "C:\\x\\sub\\a.exe"},
        {"C:\\x\\sub ", "C:\\x\\sub\\a.exe"},
        {"C:\\x\\sub.", "C:\\x\\sub\\a.exe"},
        {"..\\Tavlo\\.\\sub", "C:\\Program Files\\Tavlo\\sub\\a.exe"},
        {"E:", "E:\\a.exe"},
        {"C:", "C:\\a.exe"},  // a drive letter alone is its root, not its current folder
        {"C: ", "C:\\a.exe"},
        {"C:\\x\\sub\\", "C:\\x\\sub\\a.exe"},
        {"\\\\server\\share\\x\\..\\y ", "\\\\server\\share\\y\\a.exe"},
        {"\\\\?\\C:\\x\\.\\y\\", "\\\\?\\C:\\x\\y\\a.exe"},
        {deep, deep + "\\a.exe"},
        {hostile, ""},
    };
    Texts said;
    for (const auto& [typed, row] : cases) {
        if (!row.empty()) h.sys.files.addFile(row, 5);
        const int before = grid().rows();
        c("txtPath1").setText(typed);
        pressScan();
        ASSERT_EQ(grid().rows(), before + !row.empty()) << typed.substr(0, 20);
        if (row.empty()) {
            said.push_back("Scanning Error... ");
            continue;
        }
        EXPECT_EQ(cell(before, 1) + "|" + cell(before, 5), row + "|" + row) << typed.substr(0, 20);
        if (row[1] == ':') {  // the Delete button takes drive paths only
            pressDelete(before);
            said.push_back("Delete  permanently. Continue?                    ");
        } else {
            c("cmdDeltAll").click();
            said.push_back("Confirm remove all items                    ");
        }
        EXPECT_EQ(std::to_string(h.sys.files.exists(row)) + cell(before, 4), "0[Deleted]") << typed.substr(0, 20);
    }
    said.insert(said.begin(), "Delete  permanently. Continue?                    ");
    EXPECT_EQ(h.ui.prompts(), said);
    plug("F");
    c("txtPath1").setText("F:\\");
    pressScan();  // a manual pass of a pending stick's root, then its drive pass
    const int last = grid().rows() - 1;
    EXPECT_EQ(cell(last - 1, 1) + cell(last, 1) + std::to_string(scanned('F') * 10 + scanned('C')),
              "F:\\f.exeF:\\f.exe-10");
}

TEST_F(ScanDriver, ChoosingTheFolderSelectsTheOptionAndAbortAsksFirst) {
    c("txtLastRow").onChange = [&] { refreshes += g.AbortScanRequested == rt::True ? 1 : 100; };
    h.ui.answers = {rt::No, rt::Yes};
    c("cmdabort").click();
    EXPECT_EQ(g.AbortScanRequested + refreshes, 0);
    c("cmdabort").click();
    EXPECT_EQ(g.AbortScanRequested * 10 + refreshes, -9);
    EXPECT_EQ(paths() + c("Label1").caption() + std::to_string(c("OptDrvPath").value()), "|C:\\vir_testFolder 0");
    for (const char* hidden : {"txtPath2", "PicNewClVen", "picPrgrs1", "Image1", "txtNo1", "txtLastRow"})
        EXPECT_FALSE(shown(hidden)) << hidden;
    EXPECT_FALSE(c("txtPath2").enabled());
    pressScan();
    EXPECT_EQ(f().ManualScan * 10 + g.AbortScanRequested + static_cast<int>(h.sys.files.calls.size()), -1);
    const std::string abort = "Aborting scan is not recommended           \r\nAbort anyway?";
    EXPECT_EQ(h.ui.prompts(), (Texts{abort, abort, "Nothing selected to scan.           "}));
    EXPECT_EQ(h.ui.dialogs[0].style * 100 + h.ui.dialogs[2].style, 5264);
    for (int i = 0; i < 2; ++i) c("Label1").click();
    EXPECT_EQ(paths() + std::to_string(c("OptDrvPath").value()), "|C:\\vir_test-1");
    c("OptDrvPath").setValue(rt::False);
    c("txtPath1").setText("E");
    EXPECT_EQ(paths() + std::to_string(c("OptDrvPath").value()), "E|E-1");
}

TEST_F(ScanDriver, BrowsePanelOpensUnderTheButtonAndProgressRunsAcrossTheStrip) {
    EXPECT_EQ(c("DriveX1").text() + "|" + c("Dir1").text(), "c:|C:\\Program Files\\Tavlo");
    c("cmdBrowse").click();
    rt::Control& panel = c("PicNewClVen");
    EXPECT_EQ((std::vector<int>{panel.left(), panel.top(), panel.width(), panel.height(), c("Dir1").height(),
                                c("cmdOK").top(), panel.visible()}),
              (std::vector<int>{5400, 1790, 3735, f().height() - 2290, f().height() - 3425, f().height() - 2675, 1}));
    c("DriveX1").setText("g:");  // no medium: the panel stays where it was
    EXPECT_EQ(h.ui.prompts(), Texts{"Drive g: is not ready."});
    EXPECT_EQ(h.ui.dialogs[0].style, 48);
    c("txtPath1").setText("E:\\typed");  // the drive box follows only a choice made in it
    EXPECT_EQ(c("DriveX1").text() + "|" + c("Dir1").text(), "c:|C:\\Program Files\\Tavlo");
    c("lblBrowClos").click();
    EXPECT_EQ(paths() + std::to_string(panel.visible()), "E:\\typed|E:\\typed0");
    c("cmdBrowse").click();
    c("DriveX1").setText("e:");
    c("Dir1").click();
    EXPECT_EQ(paths() + std::to_string(panel.visible()) + c("DriveX1").text(), "E:\\|E:\\0e:");
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
