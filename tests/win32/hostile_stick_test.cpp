// Hostile sticks on the real system: a removable drive defined through Wine's
// mount manager over a host folder with real files, scanned by the main
// window's scan driver with the real file services, and pulled again in
// teardown (or in the middle of a scan). Each case ends with the program's
// messages, and no file goes without a Yes.
#include <algorithm>
#include <set>

#include "WineHost.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "runtime/Grid.h"

namespace tavlo::wine_host {
namespace {

using Texts = std::vector<std::string>;

struct WineStick : RealSystemTest {
    WineStick() { makeDatabases(); }
    ~WineStick() override { drive.reset(); }
    void make(const std::string& relative) {
        makeFile(stick / relative, 100);
        made.push_back(relative);
    }
    std::string onDrive(const std::string& relative) const { return std::string{letter, ':', '\\'} + relative; }

    // Plugs the stick at the letter and lets the scan driver run, as the drive
    // poll does when it sees the new drive. Each case has a letter of its own
    // from G: to L:, apart from the letters other tests take.
    void plugAndScan(char driveLetter) {
        letter = driveLetter;
        drive = std::make_unique<HostDrive>(letter, hostPath(stick.path), HostDrive::Removable);
        ASSERT_TRUE(drive->plugged);
        ASSERT_EQ(GetDriveTypeA(onDrive("").c_str()), static_cast<UINT>(DRIVE_REMOVABLE));
        core::globals().DriveAttached[core::Globals::letterIndex(letter)] = rt::True;
        f().show();
        f().c("txtNo1").append(".");
    }

    core::Frm0& f() { return core::frm0(); }
    rt::Grid& grid() { return f().grid("MsfInfectd"); }
    Texts rowPaths() {
        Texts paths;
        for (int r = 1; r < grid().rows(); ++r) paths.push_back(grid().textMatrix(r, 1));
        return paths;
    }
    int rowOf(const std::string& relative) {
        const Texts paths = rowPaths();
        return static_cast<int>(std::find(paths.begin(), paths.end(), onDrive(relative)) - paths.begin()) + 1;
    }
    std::string status() { return f().c("lblCncMsg").caption(); }
    void press(int row, int col, const char* button) {
        grid().setMouseCell(row, col);
        grid().clickCell(row, col);
        f().c(button).click();
    }
    void expectTotal(int risky) {
        EXPECT_FALSE(core::globals().ScanInProgress);
        EXPECT_EQ(status(), "Risky Objects found: " + std::to_string(risky));
    }
    // Every file made on the stick is still there, seen through the host folder.
    void expectNothingDeleted() {
        for (const auto& relative : made) EXPECT_TRUE(onDisk(stick / relative)) << relative;
    }

    TempFolder stick{"stick"};
    char letter = 0;
    std::unique_ptr<HostDrive> drive;
    Texts made;
};

TEST_F(WineStick, LinkLoopsNestingLongPathsAndHostileNames) {
    makeFolder(stick / "sub");
    make("sub\\x.exe");
    ASSERT_TRUE(runOnHost("ln -s '" + hostPath(stick.path) + "' '" + hostPath(stick / "sub") + "/loop'"));
    std::string deep, longFolder = "l";
    for (int i = 0; i < 200; ++i)
        makeFolder(stick / (deep += (i ? "\\" : "") + std::string(1, static_cast<char>('a' + i % 26))));
    make(deep + "\\deep.pif");
    makeFolder(stick / "l");
    for (int i = 0; i < 4; ++i) makeFolder(stick / (longFolder += "\\" + std::string(80, static_cast<char>('m' + i))));
    make(longFolder + "\\autorun.inf");
    for (const char* name : {"it's.exe", "100%.exe", "%s%n%x.com", "вирус.exe", "日本.pif", "trail.exe.",
                             "blank.exe ", "dots..."})
        make(name);
    plugAndScan('G');
    Texts expected, shown = rowPaths();
    for (const std::string& relative : Texts{"sub\\x.exe", deep + "\\deep.pif", longFolder + "\\autorun.inf",
                                             "it's.exe", "100%.exe", "%s%n%x.com", "вирус.exe", "日本.pif"})
        expected.push_back(onDrive(relative));
    EXPECT_EQ(std::set(shown.begin(), shown.end()), std::set(expected.begin(), expected.end()));
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_GT(onDrive(longFolder + "\\autorun.inf").size(), 300u);
    EXPECT_EQ(f().c("lblCount").caption(), "11");
    expectTotal(8);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(grid().textMatrix(rowOf("it's.exe"), 3), "");
    expectNothingDeleted();
}

// Names that differ only in a trailing dot or blank are different files on
// the stick: a Yes deletes the file of the row, not its look-alike.
TEST_F(WineStick, DeleteTakesExactlyTheFileOfTheRowBesideLookAlikes) {
    for (const char* folder : {"dir", "dir.", "dir "}) makeFolder(stick / folder);
    for (const char* name : {"dir\\x.exe", "dir.\\x.exe", "dir \\x.exe", "y.exe", "y.exe.", "y.exe "}) make(name);
    plugAndScan('H');
    ASSERT_EQ(rowPaths().size(), 4u) << ::testing::PrintToString(rowPaths());
    program->ui.answers = {rt::No};
    press(rowOf("dir.\\x.exe"), 4, "cmdDel");
    expectNothingDeleted();
    for (const char* target : {"dir.\\x.exe", "dir \\x.exe", "y.exe"}) {
        SCOPED_TRACE(target);
        program->ui.answers = {rt::Yes};
        press(rowOf(target), 4, "cmdDel");
        EXPECT_EQ(status(), "Deleted");
        EXPECT_FALSE(onDisk(stick / target));
        made.erase(std::find(made.begin(), made.end(), target));
        expectNothingDeleted();
    }
    EXPECT_EQ(messages().size(), 4u);
}

TEST_F(WineStick, HundredThousandFilesAreAllExamined) {
    makeFolder(stick / "many");
    ASSERT_TRUE(runOnHost("cd '" + hostPath(stick / "many") +
                              "' && seq 0 99999 | sed -e 's/.*/f&.txt/' -e '0~100s/txt$/exe/' | xargs touch",
                          120));
    plugAndScan('I');
    EXPECT_EQ(f().c("lblCount").caption(), "100000");
    EXPECT_EQ(rowPaths().size(), 1000u);
    expectTotal(1000);
    EXPECT_TRUE(messages().empty());
}

// A folder taken away on the host while the walk examines its parent's
// files cannot be read when the walk comes to it: reported, the walk goes on.
TEST_F(WineStick, FolderThatCannotBeReadIsReportedAndTheWalkGoesOn) {
    for (const char* name : {"a", "b"}) makeFolder(stick / name);
    for (const char* name : {"first.exe", "a\\x.exe", "b\\y.exe"}) make(name);
    program->ui.onDoEvents = [&] {
        if (program->ui.doEventsCount != 2) return;
        runOnHost("mv '" + hostPath(stick / "a") + "' '" + hostPath(stick / "a") + "-'");
    };
    plugAndScan('J');
    EXPECT_EQ(messages(), (Texts{"Scanning Error... "}));
    EXPECT_EQ(rowPaths(), (Texts{onDrive("first.exe"), onDrive("b\\y.exe")}));
    expectTotal(2);
}

TEST_F(WineStick, PulledInTheMiddleOfAScanEndsWithTheDetachedMessage) {
    for (int folder = 0; folder < 5; ++folder) {
        const std::string dir = "f" + std::to_string(folder);
        makeFolder(stick / dir);
        for (int file = 0; file < 10; ++file) make(dir + "\\x" + std::to_string(file) + ".exe");
    }
    program->ui.onDoEvents = [&] {
        if (program->ui.doEventsCount == 15 && drive) drive->pull();
    };
    plugAndScan('K');
    EXPECT_EQ(messages(), (Texts{"Scanning Error... Maybe the a device at K: has detached."}));
    const auto found = static_cast<int>(rowPaths().size());
    EXPECT_TRUE(found >= 10 && found < 50) << found;
    expectTotal(found);
    EXPECT_TRUE(f().c("txtPath1").enabled());
    // Delete All on the rows of the gone stick finds no file and deletes none.
    program->ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    for (int r = 1; r < grid().rows(); ++r) EXPECT_EQ(grid().textMatrix(r, 4), "") << r;
    expectNothingDeleted();
}

TEST_F(WineStick, IgnoreDatabaseThatIsNoDatabaseLeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    makeFile(system / "pro.dat", 0, 0, "not a database");
    make("x.exe");
    plugAndScan('L');
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(rowPaths(), (Texts{onDrive("x.exe")}));
    expectTotal(1);
    press(1, 3, "cmdIgn");
    EXPECT_EQ(status(), "Ignore list error...\r\nReinstall Tavlo to recover the problem.");
    EXPECT_EQ(grid().textMatrix(1, 3), "Ignore");
    EXPECT_TRUE(messages().empty());
    expectNothingDeleted();
}

}  // namespace
}  // namespace tavlo::wine_host
