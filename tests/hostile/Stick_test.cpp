// Folder trees and names an attacker can put on a stick: each walk ends with
// the total on the status line, no file goes without a confirmed delete, and
// what a Yes deletes is exactly the file of its row.
#include "hostile/HostileStick.h"

namespace tavlo::hostile {
namespace {

const std::string kLongPath = nestedFolder(30, 10) + "\\autorun.inf";  // over 300 characters
const Texts kOddNames = {"E:\\%s%n%x%d.com", "E:\\100%.exe", "E:\\a'; DROP TABLE ign;--.exe", "E:\\it's.exe",
                         "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif"};

struct Stick {
    const char* what;
    Texts risky, harmless, rows, messages;
    int examined;
    bool loops = false;
    const char* unreadable = nullptr;
};
const Stick kSticks[] = {
    {"loops", {"E:\\a\\x.exe", "E:\\b\\y.com"}, {}, {"E:\\a\\x.exe", "E:\\b\\y.com"}, {}, 2, true},
    {"deep", {nestedFolder(200) + "\\deep.exe", nestedFolder(100) + "\\middle.pif"}, {},
     {nestedFolder(100) + "\\middle.pif", nestedFolder(200) + "\\deep.exe"}, {}, 2},
    {"long", {kLongPath, "E:\\autorun.inf"}, {}, {"E:\\autorun.inf", kLongPath}, {}, 2},
    // Endings that Windows drops from a plain path: not risky by their text.
    {"names", kOddNames, {"E:\\trail.exe.", "E:\\blank.exe ", "E:\\dots...", "E:\\ "}, kOddNames, {}, 11},
    {"unreadable", {"E:\\locked\\hidden.exe", "E:\\open\\found.exe"}, {}, {"E:\\open\\found.exe"},
     {"Scanning Error... "}, 1, false, "E:\\locked"},
};

void PrintTo(const Stick& stick, std::ostream* os) { *os << stick.what; }

struct StickTest : HostileStickTest, ::testing::WithParamInterface<Stick> {
    void plant(const Stick& stick) {
        for (const auto& path : stick.risky) stickFile(path);
        for (const auto& path : stick.harmless) stickFile(path);
        if (stick.unreadable) h.sys.files.setUnreadable(stick.unreadable);
        if (!stick.loops) return;
        h.sys.files.addLink("E:\\a\\up", "E:\\");          // back to the root
        h.sys.files.addLink("E:\\b\\self", "E:\\b");       // into itself
        h.sys.files.addLink("E:\\b\\other", "E:\\a\\up");  // a link to a link
    }
};

TEST_P(StickTest, IsWalkedWholeAndNothingGoesWithoutAYes) {
    const Stick& stick = GetParam();
    start();
    plant(stick);
    plug();
    EXPECT_EQ(rowPaths(), stick.rows);
    EXPECT_EQ(f().c("lblCount").caption(), std::to_string(stick.examined));
    EXPECT_EQ(messages(), stick.messages);
    expectTotal(static_cast<int>(stick.rows.size()));
    expectNothingDeleted();
}

INSTANTIATE_TEST_SUITE_P(Sticks, StickTest, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(StickTest, LongPathIsTooLongToIgnoreAndGoesOnlyAfterYes) {
    start();
    plant(kSticks[2]);
    plug();
    press(2, 3);
    EXPECT_EQ(messages(), (Texts{"Too big.... cannot add"}));
    EXPECT_TRUE(core::IgnoreListRows().empty());
    h.ui.answers = {rt::No};
    press(2, 4);
    expectNothingDeleted();
    h.ui.answers = {rt::Yes};
    press(2, 4);
    EXPECT_EQ(messages().back(), "Delete  permanently. Continue?" + std::string(20, ' '));
    EXPECT_FALSE(h.sys.files.exists(kLongPath));
    EXPECT_TRUE(h.sys.files.exists("E:\\autorun.inf"));
    EXPECT_EQ(grid().textMatrix(2, 4) + " " + status(), "[Deleted] Deleted");
}

// A path with an apostrophe is offered no Ignore; the others are stored as
// they are; Delete All after Yes takes the open rows' files and only those.
TEST_F(StickTest, OddNamesAreIgnoredAndDeletedExactly) {
    start();
    plant(kSticks[3]);
    plug();
    Texts offered, stored;
    for (int row = 1; row <= 7; ++row) {
        offered.push_back(grid().textMatrix(row, 3));
        if (offered.back() == "Ignore") press(row, 3);
    }
    for (const auto& row : core::IgnoreListRows()) stored.push_back(row.pat);
    EXPECT_EQ(offered, (Texts{"Ignore", "Ignore", "", "", "Ignore", "Ignore", "Ignore"}));
    EXPECT_EQ(stored, (Texts{"E:\\%s%n%x%d.com", "E:\\100%.exe", "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif"}));
    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    EXPECT_EQ(messages(), (Texts{"Confirm remove all items" + std::string(20, ' ')}));
    Texts left;
    for (const auto& path : kSticks[3].risky) left.push_back(h.sys.files.exists(path) ? path : "");
    EXPECT_EQ(left, (Texts{"E:\\%s%n%x%d.com", "E:\\100%.exe", "", "", "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif"}));
    for (const auto& path : kSticks[3].harmless) EXPECT_TRUE(h.sys.files.exists(path)) << path;
}

// 100,000 risky files in one folder: the count runs past 32,767 and 65,535,
// and a row far down acts on its own file.
TEST_F(StickTest, HundredThousandFilesAreAllShownAndEachRowActsOnItsOwnFile) {
    start();
    for (int i = 0; i < 100000; ++i) h.sys.files.addFile("E:\\many\\f" + std::to_string(i) + ".exe", 100);
    plug();
    ASSERT_EQ(grid().rows(), 100001);
    EXPECT_EQ(f().c("lblCount").caption(), "100000");
    expectTotal(100000);
    for (int row : {40000, 70000, 100000}) {
        const std::string path = grid().textMatrix(row, 1);
        h.ui.answers = {rt::Yes};
        press(row, 4);
        EXPECT_FALSE(h.sys.files.exists(path)) << row;
        EXPECT_EQ(grid().textMatrix(row, 4), "[Deleted]") << row;
    }
    EXPECT_EQ(std::count_if(h.sys.files.calls.begin(), h.sys.files.calls.end(),
                            [](const std::string& c) { return c.rfind("remove ", 0) == 0; }),
              3);
}

}  // namespace
}  // namespace tavlo::hostile
