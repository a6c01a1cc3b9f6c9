// Folder trees and names an attacker can put on a stick, scanned as the drive
// poll starts a scan: each walk ends with the status line of the Parts, no
// file goes without a confirmed delete, and what is deleted after a Yes is
// exactly the file of the row.
#include <gtest/gtest.h>

#include "core/Store.h"
#include "hostile/HostileStick.h"

namespace tavlo::hostile {
namespace {

const std::string kConfirmDelete = "Delete  permanently. Continue?" + std::string(20, ' ');
const std::string kConfirmDeleteAll = "Confirm remove all items" + std::string(20, ' ');

struct StickTree : HostileStickTest {
    // The user clicks the row's delete cell and presses the X button over it.
    void pressDelete(int row) {
        grid().setMouseCell(row, 4);
        grid().clickCell(row, 4);
        f().c("cmdDel").click();
    }
    void pressIgnore(int row) {
        grid().setMouseCell(row, 3);
        grid().clickCell(row, 3);
        f().c("cmdIgn").click();
    }
    int rowOf(const std::string& path) {
        for (int r = 1; r < grid().rows(); ++r)
            if (grid().textMatrix(r, 1) == path) return r;
        return -1;
    }
    int listings() {
        return static_cast<int>(std::count_if(h.sys.files.calls.begin(), h.sys.files.calls.end(),
                                              [](const std::string& c) { return c.rfind("list ", 0) == 0; }));
    }
};

TEST_F(StickTree, FolderLoopsThroughJunctionsAreNotFollowed) {
    stickFile("E:\\a\\x.exe");
    stickFile("E:\\b\\y.com");
    h.sys.files.addLink("E:\\a\\up", "E:\\");          // back to the root
    h.sys.files.addLink("E:\\b\\self", "E:\\b");       // into itself
    h.sys.files.addLink("E:\\b\\other", "E:\\a\\up");  // a link to a link
    plugAndScan();
    EXPECT_TRUE(scanFinished());
    EXPECT_EQ(rowPaths(), (Texts{"E:\\a\\x.exe", "E:\\b\\y.com"}));
    EXPECT_EQ(examined(), "2");
    EXPECT_EQ(listings(), 3);  // the root, a and b: each once
    expectTotal(2);
    EXPECT_TRUE(messages().empty());
    expectNothingDeleted();
}

TEST_F(StickTree, FoldersNested200DeepAreWalkedToTheBottom) {
    const std::string bottom = nestedFolder(200) + "\\deep.exe";
    stickFile(bottom);
    stickFile(nestedFolder(100) + "\\middle.pif", 171519);
    plugAndScan();
    EXPECT_TRUE(scanFinished());
    EXPECT_EQ(rowPaths(), (Texts{nestedFolder(100) + "\\middle.pif", bottom}));
    EXPECT_EQ(grid().textMatrix(1, 2), "Very Risky");
    EXPECT_EQ(examined(), "2");
    expectTotal(2);
    EXPECT_TRUE(messages().empty());
    expectNothingDeleted();
}

TEST_F(StickTree, PathLongerThan260CharactersIsShownWholeAndDeletedOnlyAfterYes) {
    const std::string longPath = nestedFolder(30, 10) + "\\autorun.inf";
    ASSERT_GT(longPath.size(), 300u);
    stickFile(longPath);
    stickFile("E:\\autorun.inf");
    plugAndScan();
    ASSERT_EQ(rowPaths(), (Texts{"E:\\autorun.inf", longPath}));
    EXPECT_EQ(grid().textMatrix(2, 5), longPath);
    expectTotal(2);

    // Too long for the ignore list: refused with its message, nothing stored.
    pressIgnore(2);
    EXPECT_EQ(messages(), (Texts{"Too big.... cannot add"}));
    EXPECT_TRUE(core::IgnoreListRows().empty());

    h.ui.answers = {rt::No};
    pressDelete(2);
    EXPECT_EQ(messages().back(), kConfirmDelete);
    expectNothingDeleted();

    h.ui.answers = {rt::Yes};
    pressDelete(2);
    EXPECT_FALSE(h.sys.files.exists(longPath));
    EXPECT_TRUE(h.sys.files.exists("E:\\autorun.inf"));
    EXPECT_EQ(grid().textMatrix(2, 4), "[Deleted]");
    EXPECT_EQ(status(), "Deleted");
}

// Apostrophes, percent signs and format codes, characters outside the ANSI
// page, names that end in dots or blanks: shown, stored and deleted exactly.
TEST_F(StickTree, HostileNamesAreShownStoredAndDeletedExactly) {
    const Texts risky = {"E:\\it's.exe", "E:\\100%.exe", "E:\\%s%n%x%d.com", "E:\\вирус.exe",
                         "E:\\日本語\\ファイル.pif", "E:\\😀.exe", "E:\\a'; DROP TABLE ign;--.exe"};
    for (const auto& path : risky) stickFile(path);
    // Not risky by their text: the extension is "" or "exe " (Windows would
    // drop such endings from a plain path, so they must not be confused).
    for (const auto* path : {"E:\\trail.exe.", "E:\\blank.exe ", "E:\\dots...", "E:\\ "}) stickFile(path);
    plugAndScan();
    EXPECT_TRUE(scanFinished());
    Texts shown = rowPaths();
    std::sort(shown.begin(), shown.end());
    Texts expected = risky;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(examined(), "11");
    expectTotal(7);
    EXPECT_TRUE(messages().empty());

    // A path holding an apostrophe never reaches a query: no Ignore offered.
    EXPECT_EQ(grid().textMatrix(rowOf("E:\\it's.exe"), 3), "");
    EXPECT_EQ(grid().textMatrix(rowOf("E:\\a'; DROP TABLE ign;--.exe"), 3), "");
    for (const auto* path : {"E:\\100%.exe", "E:\\%s%n%x%d.com", "E:\\вирус.exe", "E:\\😀.exe"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(grid().textMatrix(rowOf(path), 3), "Ignore");
        pressIgnore(rowOf(path));
        EXPECT_EQ(status(), "Added into the ignore list");
        EXPECT_EQ(grid().textMatrix(rowOf(path), 3), "[Ignored]");
    }
    Texts listed;
    for (const auto& row : core::IgnoreListRows()) listed.push_back(row.pat);
    EXPECT_EQ(listed, (Texts{"E:\\100%.exe", "E:\\%s%n%x%d.com", "E:\\вирус.exe", "E:\\😀.exe"}));
    expectNothingDeleted();

    // Delete All after Yes takes the open rows' files, and only those.
    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    EXPECT_EQ(messages().back(), kConfirmDeleteAll);
    for (const auto* gone : {"E:\\it's.exe", "E:\\日本語\\ファイル.pif", "E:\\a'; DROP TABLE ign;--.exe"})
        EXPECT_FALSE(h.sys.files.exists(gone)) << gone;
    for (const auto* kept : {"E:\\100%.exe", "E:\\%s%n%x%d.com", "E:\\вирус.exe", "E:\\😀.exe", "E:\\trail.exe.",
                             "E:\\blank.exe ", "E:\\dots...", "E:\\ "})
        EXPECT_TRUE(h.sys.files.exists(kept)) << kept;
}

TEST_F(StickTree, UnreadableFolderIsReportedAndTheWalkGoesOn) {
    stickFile("E:\\locked\\hidden.exe");
    stickFile("E:\\open\\found.exe");
    h.sys.files.setUnreadable("E:\\locked");
    plugAndScan();
    EXPECT_TRUE(scanFinished());
    EXPECT_EQ(messages(), (Texts{"Scanning Error... "}));
    EXPECT_EQ(h.ui.dialogs[0].style, rt::Information);
    EXPECT_EQ(rowPaths(), (Texts{"E:\\open\\found.exe"}));
    expectTotal(1);
    expectNothingDeleted();
}

// 100,000 files, all risky, in one folder: every one is counted and shown,
// the count runs past 32,767, and a row far down acts on its own file.
TEST_F(StickTree, HundredThousandRiskyFilesAreAllShownAndEachRowActsOnItsOwnFile) {
    constexpr int kFiles = 100000;
    auto name = [](int i) { return "E:\\many\\f" + std::to_string(i) + ".exe"; };
    for (int i = 0; i < kFiles; ++i) h.sys.files.addFile(name(i), 100);
    plugAndScan();
    EXPECT_TRUE(scanFinished());
    ASSERT_EQ(grid().rows(), kFiles + 1);
    EXPECT_EQ(examined(), std::to_string(kFiles));
    expectTotal(kFiles);
    EXPECT_TRUE(messages().empty());
    expectNothingDeleted();

    // Rows beyond 32,767 and 65,535 name their own files.
    for (int row : {40000, 70000, kFiles}) {
        SCOPED_TRACE(row);
        const std::string path = grid().textMatrix(row, 1);
        ASSERT_TRUE(h.sys.files.exists(path));
        h.ui.answers = {rt::Yes};
        pressDelete(row);
        EXPECT_FALSE(h.sys.files.exists(path));
        EXPECT_EQ(grid().textMatrix(row, 4), "[Deleted]");
    }
    int deleted = 0;
    for (int r = 1; r < grid().rows(); ++r) deleted += grid().textMatrix(r, 4) == "[Deleted]";
    EXPECT_EQ(deleted, 3);
}

}  // namespace
}  // namespace tavlo::hostile
