#include <gtest/gtest.h>

#include <set>

#include "core/Globals.h"
#include "platform/fake/HeadlessApp.h"
#include "scanner/ScanEngine.h"

namespace tavlo::scanner {
namespace {

using platform::DriveType;

// A window with the three controls the walk writes to.
class ResultsWindow : public rt::Form {
public:
    ResultsWindow() : Form("frmResults") {}
    int refreshes = 0;

protected:
    rt::FormDesign formDesign() override { return {}; }
    void buildControls() override {
        auto& grid = addGrid({.name = "MsfInfectd", .width = 6000, .height = 3000});
        grid.setCols(7);
        grid.setRows(1);
        add({.kind = rt::Kind::Label, .name = "lblCount"});
        add({.kind = rt::Kind::TextBox, .name = "txtLastRow", .visible = false}).onChange = [this] { ++refreshes; };
    }
};

// Records, at each change of the grid, which cells of its last row hold text.
class CellOrderView : public rt::ControlView {
public:
    std::vector<std::set<int>> filled;
    void changed(rt::Control& control, rt::Prop) override {
        auto& grid = static_cast<rt::Grid&>(control);
        std::set<int> cols;
        for (int c = 0; c < grid.cols(); ++c) {
            if (!grid.textMatrix(grid.rows() - 1, c).empty()) cols.insert(c);
        }
        if (filled.empty() || filled.back() != cols) filled.push_back(cols);
    }
};

struct ScanEngineTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    core::Globals& g = core::globals();

    ScanEngineTest() {
        h.sys.files.setDrive('C', DriveType::Fixed);
        h.sys.files.setDrive('E', DriveType::Removable);
        g.ScanInProgress = rt::True;
    }
    ResultsWindow& window() { return h.app().instance<ResultsWindow>(); }
    rt::Grid& grid() { return window().grid("MsfInfectd"); }
    void scan(const std::string& path) { ScanFolder(path, window()); }
    int dataRows() { return grid().rows() - 1; }
    std::string cell(int row, int col) { return grid().textMatrix(row, col); }
    std::string count() { return window().c("lblCount").caption(); }
    std::vector<std::string> paths() {
        std::vector<std::string> all;
        for (int r = 1; r < grid().rows(); ++r) all.push_back(cell(r, ColObject));
        return all;
    }
    int listings(const std::string& folder) {
        return static_cast<int>(std::count(h.sys.files.calls.begin(), h.sys.files.calls.end(), "list " + folder));
    }
};

TEST_F(ScanEngineTest, FileOfExactlyTheLimitIsExaminedOneByteMoreIsNeitherExaminedNorCounted) {
    h.sys.files.addFile("E:\\big.exe", 1590000);
    h.sys.files.addFile("E:\\sub\\autorun.inf", 1590001);
    scan("E:\\");
    ASSERT_EQ(dataRows(), 1);
    EXPECT_EQ(cell(1, ColObject), "E:\\big.exe");
    EXPECT_EQ(cell(1, ColRating), "Risky");
    EXPECT_EQ(count(), "1");
    EXPECT_EQ(h.ui.doEventsCount, 1 + 1);  // one examined file, one subfolder
}

TEST_F(ScanEngineTest, RatingFollowsNameExtensionAndTheKnownSizes) {
    EXPECT_EQ(RiskyLevel("AUTORUN.INF", "INF", 10), "Very Risky");
    EXPECT_EQ(RiskyLevel("Autorun.Inf", "Inf", 10), "Very Risky");
    EXPECT_EQ(RiskyLevel("SETUP.EXE", "EXE", 1000), "Risky");
    EXPECT_EQ(RiskyLevel("SETUP.EXE", "EXE", 111), "Very Risky");
    EXPECT_EQ(RiskyLevel("x.pif", "pif", 171519), "Very Risky");
    EXPECT_EQ(RiskyLevel("x.com", "com", 114365), "Very Risky");
    EXPECT_EQ(RiskyLevel("x.exe", "exe", 114365), "Risky");  // the pair must match as a whole
    EXPECT_EQ(RiskyLevel("x.pif", "pif", 352256), "Risky");
    EXPECT_EQ(RiskyLevel("autorun.inf.exe", "exe", 5), "Risky");
    EXPECT_EQ(RiskyLevel("readme.txt", "txt", 111), "");
    EXPECT_EQ(RiskyLevel("autorun.in", "in", 111), "");
    for (const VeryRiskyFile& known : VeryRiskyFileTable) {
        EXPECT_EQ(RiskyLevel("a", known.extension, known.size), "Very Risky") << known.size;
        EXPECT_EQ(RiskyLevel("a", known.extension, known.size + 1), "Risky") << known.size;
    }
}

TEST_F(ScanEngineTest, NamesAndExtensionsComeFromTheLastParts) {
    EXPECT_EQ(GetFileName("E:\\a.b\\autorun.inf"), "autorun.inf");
    EXPECT_EQ(GetExtensionName("E:\\a.b\\noext"), "");
    EXPECT_EQ(GetExtensionName("E:\\x\\archive.tar.EXE"), "EXE");
    EXPECT_EQ(GetExtensionName("E:\\x\\trailing."), "");
}

TEST_F(ScanEngineTest, EveryExaminedFileIsCountedRiskyOrNot) {
    h.sys.files.addFile("E:\\readme.txt", 10);
    h.sys.files.addFile("E:\\AUTORUN.INF", 10);
    h.sys.files.addFile("E:\\empty\\.keep", 0);
    scan("E:\\");
    ASSERT_EQ(dataRows(), 1);
    EXPECT_EQ(cell(1, ColRating), "Very Risky");
    EXPECT_EQ(count(), "3");
    scan("E:\\empty");
    EXPECT_EQ(count(), "4");  // the counter runs on across scans
}

TEST_F(ScanEngineTest, RowCellsAreWrittenInTheOrderTwoThreeFourFiveOne) {
    h.sys.files.addFile("E:\\SETUP.EXE", 5);
    CellOrderView view;
    grid().setView(&view);
    scan("E:\\");
    grid().setView(nullptr);
    const std::vector<std::set<int>> expected{{}, {2}, {2, 3}, {2, 3, 4}, {2, 3, 4, 5}, {1, 2, 3, 4, 5}};
    EXPECT_EQ(view.filled, expected);
    EXPECT_EQ(cell(1, ColIgnore), "Ignore");
    EXPECT_EQ(cell(1, ColDelete), "Delete");
    EXPECT_EQ(cell(1, ColKey), "E:\\SETUP.EXE");
    EXPECT_EQ(cell(1, 6), "");
}

TEST_F(ScanEngineTest, AbortBeforeTheFirstFileWritesOneAbortRowAndVisitsNoSubfolder) {
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\sub\\b.exe", 5);
    g.AbortScanRequested = rt::True;
    scan("E:\\");
    ASSERT_EQ(dataRows(), 1);
    EXPECT_EQ(cell(1, ColObject), "Scanning Aborted...");
    EXPECT_EQ(cell(1, ColKey), "Scanning Aborted...");
    EXPECT_EQ(cell(1, ColRating) + cell(1, ColIgnore) + cell(1, ColDelete), "");
    EXPECT_EQ(listings("E:\\sub"), 0);
    EXPECT_EQ(count(), "");
}

TEST_F(ScanEngineTest, AbortInADeepFolderWritesOneRowThereAndEndsTheWalk) {
    h.sys.files.addFile("E:\\a\\b\\one.exe", 5);
    h.sys.files.addFile("E:\\a\\b\\two.exe", 5);
    h.sys.files.addFile("E:\\a\\c\\three.exe", 5);
    h.sys.files.addFile("E:\\z\\four.exe", 5);
    h.ui.onDoEvents = [&] {
        if (dataRows() == 1) g.AbortScanRequested = rt::True;
    };
    scan("E:\\");
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a\\b\\one.exe", "Scanning Aborted..."}));
    EXPECT_EQ(listings("E:\\a\\c"), 0);
    EXPECT_EQ(listings("E:\\z"), 0);
}

TEST_F(ScanEngineTest, AbortSeenOnlyAfterASubfolderEndsTheWalkWithoutARow) {
    h.sys.files.addFile("E:\\a\\one.exe", 5);
    h.sys.files.addFolder("E:\\b\\empty");
    int yields = 0;
    h.ui.onDoEvents = [&] {
        if (++yields == 1) g.AbortScanRequested = rt::True;  // during the only file's yield
    };
    scan("E:\\");
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a\\one.exe"}));
    EXPECT_EQ(listings("E:\\b"), 0);
}

TEST_F(ScanEngineTest, ScanStoppedDuringAYieldWritesNothingFurther) {
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    h.sys.files.addFile("E:\\sub\\c.exe", 5);
    h.ui.onDoEvents = [&] { g.ScanInProgress = rt::False; };
    scan("E:\\");
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe"}));
    EXPECT_EQ(count(), "");  // the file is counted only after the test
    EXPECT_EQ(listings("E:\\sub"), 0);
}

TEST_F(ScanEngineTest, FolderFilesComeFirstThenSubfoldersDepthFirst) {
    h.sys.files.addFile("E:\\a\\x\\1.exe", 5);
    h.sys.files.addFile("E:\\a\\2.exe", 5);
    h.sys.files.addFile("E:\\b\\3.exe", 5);
    h.sys.files.addFile("E:\\z.exe", 5);
    h.sys.files.addFolder("E:\\empty");
    scan("E:\\");
    EXPECT_EQ(paths(),
              (std::vector<std::string>{"E:\\z.exe", "E:\\a\\2.exe", "E:\\a\\x\\1.exe", "E:\\b\\3.exe"}));
}

TEST_F(ScanEngineTest, MissingFolderIsReportedAndRefreshed) {
    scan("C:\\vir_test");
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Scanning Error... "}));
    EXPECT_EQ(h.ui.dialogs[0].style, 64);
    EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
    EXPECT_EQ(window().refreshes, 1);
    EXPECT_EQ(dataRows(), 0);
}

TEST_F(ScanEngineTest, ErrorNamesTheHighestAttachedLetterThatIsNoLongerRemovable) {
    g.DriveAttached[core::Globals::letterIndex('E')] = rt::True;
    g.DriveAttached[core::Globals::letterIndex('G')] = rt::True;
    g.DriveAttached[core::Globals::letterIndex('H')] = rt::True;
    h.sys.files.setDrive('H', DriveType::Removable);  // still there
    scan("G:\\");
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Scanning Error... Maybe the a device at G: has detached."}));
}

TEST_F(ScanEngineTest, UnreadableSubfolderIsReportedAndTheWalkGoesOnWithItsSibling) {
    h.sys.files.addFile("E:\\a\\locked.exe", 5);
    h.sys.files.addFile("E:\\b\\open.exe", 5);
    h.sys.files.setUnreadable("E:\\a");
    scan("E:\\");
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Scanning Error... "}));
    EXPECT_EQ(window().refreshes, 1);
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\b\\open.exe"}));
}

TEST_F(ScanEngineTest, StickPulledMidScanEndsWithOneDetachedMessage) {
    g.DriveAttached[core::Globals::letterIndex('E')] = rt::True;
    h.sys.files.addFile("E:\\a.exe", 5);
    for (const char* sub : {"E:\\s1\\x.exe", "E:\\s2\\y.exe", "E:\\s3\\z.exe"}) h.sys.files.addFile(sub, 5);
    h.ui.onDoEvents = [&] { h.sys.files.removeDrive('E'); };
    scan("E:\\");
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Scanning Error... Maybe the a device at E: has detached."}));
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe"}));
    EXPECT_EQ(listings("E:\\s2"), 0);
}

TEST_F(ScanEngineTest, LinkedFoldersAreNotFollowedSoALoopingStickEnds) {
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addLink("E:\\loop", "E:\\");
    h.sys.files.addLink("E:\\sub\\up", "E:\\sub");
    h.sys.files.addFile("E:\\sub\\b.exe", 5);
    scan("E:\\");
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\a.exe", "E:\\sub\\b.exe"}));
    EXPECT_EQ(listings("E:\\loop"), 0);
    EXPECT_EQ(listings("E:\\sub\\up"), 0);
}

TEST_F(ScanEngineTest, TwoHundredLevelsDeepAreWalkedToTheBottom) {
    std::string path = "E:";
    for (int i = 0; i < 200; ++i) path += "\\d" + std::to_string(i);
    h.sys.files.addFile(path + "\\deep.exe", 5);
    h.sys.files.addFile("E:\\d0\\side\\after.exe", 5);
    scan("E:\\");
    ASSERT_EQ(dataRows(), 2);
    EXPECT_EQ(cell(1, ColObject), path + "\\deep.exe");
    EXPECT_EQ(cell(2, ColObject), "E:\\d0\\side\\after.exe");
}

TEST_F(ScanEngineTest, LongPathsAndNamesOutsideTheAnsiCodePageAreListedAndShown) {
    const std::string folder = "E:\\" + std::string(120, 'x') + "\\" + std::string(120, 'y') + "\\Папка_日本";
    const std::string file = folder + "\\Ünïcødé файл.EXE";
    h.sys.files.addFile(file, 5);
    h.sys.files.addFile(folder + "\\ṡetup.txt", 5);
    scan("E:\\");
    ASSERT_GT(file.size(), 260u);
    ASSERT_EQ(dataRows(), 1);
    EXPECT_EQ(cell(1, ColObject), file);
    EXPECT_EQ(cell(1, ColKey), file);
    EXPECT_EQ(count(), "2");
}

TEST_F(ScanEngineTest, ChosenFolderWithATrailingBackslashGivesPlainPaths) {
    h.sys.files.addFile("C:\\vir_test\\a.exe", 5);
    scan("C:\\vir_test\\");
    EXPECT_EQ(paths(), (std::vector<std::string>{"C:\\vir_test\\a.exe"}));
}

TEST_F(ScanEngineTest, RiskyCountRunsPastTheSixteenBitRange) {
    g.RiskyObjectCount = 32767;
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    scan("E:\\");
    EXPECT_EQ(g.RiskyObjectCount, 32769);
    EXPECT_EQ(dataRows(), 2);
    EXPECT_TRUE(h.ui.dialogs.empty());
}

TEST_F(ScanEngineTest, WindowUnloadedDuringAYieldIsReloadedAndTheWalkGoesOn) {
    h.sys.files.addFile("E:\\a.exe", 5);
    h.sys.files.addFile("E:\\b.exe", 5);
    bool once = true;
    h.ui.onDoEvents = [&] {
        if (once) window().unload();
        once = false;
    };
    scan("E:\\");
    EXPECT_EQ(paths(), (std::vector<std::string>{"E:\\b.exe"}));
}

}  // namespace
}  // namespace tavlo::scanner
