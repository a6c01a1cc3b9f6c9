// Folder trees and names an attacker can put on a stick, and sticks pulled in
// the middle of their scan: each walk ends with the total on the status line,
// nothing goes without a Yes, and a Yes deletes exactly the file of its row.
#include "hostile/HostileStick.h"
#include "watch/FrmNwUSB.h"

namespace tavlo::hostile {
namespace {

const std::string kLongPath = nestedFolder(30, 10) + "\\autorun.inf";  // over 300 characters
const Texts kOddNames = {"E:\\%s%n%x%d.com", "E:\\100%.exe", "E:\\a'; DROP TABLE ign;--.exe", "E:\\it's.exe",
                         "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif"};
const std::string kConfirmAll = "Confirm remove all items" + std::string(20, ' ');

struct Stick {  // every stick has junctions back to its root, into a folder itself, and to a junction
    const char* what;
    Texts files, rows, messages;
    int examined;
    const char* unreadable = nullptr;
};
const Stick kSticks[] = {
    {"loops", {"E:\\a\\x.exe", "E:\\b\\y.com"}, {"E:\\a\\x.exe", "E:\\b\\y.com"}, {}, 2},
    {"deep", {nestedFolder(200) + "\\deep.exe", nestedFolder(100) + "\\middle.pif"},
     {nestedFolder(100) + "\\middle.pif", nestedFolder(200) + "\\deep.exe"}, {}, 2},
    {"long", {kLongPath, "E:\\autorun.inf"}, {"E:\\autorun.inf", kLongPath}, {}, 2},
    // Endings that Windows drops from a plain path are not risky by their text.
    {"names", {kOddNames[0], kOddNames[1], kOddNames[2], kOddNames[3], kOddNames[4], kOddNames[5], kOddNames[6],
               "E:\\x.exe.", "E:\\x.exe ", "E:\\...", "E:\\ "}, kOddNames, {}, 11},
    {"unreadable", {"E:\\locked\\hidden.exe", "E:\\open\\found.exe"}, {"E:\\open\\found.exe"}, {"Scanning Error... "}, 1,
     "E:\\locked"},
};
void PrintTo(const Stick& stick, std::ostream* os) { *os << stick.what; }

struct StickTest : HostileStickTest, ::testing::WithParamInterface<Stick> {
    void plant(const Stick& stick) {
        for (const auto& path : stick.files) stickFile(path);
        if (stick.unreadable) h.sys.files.setUnreadable(stick.unreadable);
        h.sys.files.addLink("E:\\a\\up", "E:\\");
        h.sys.files.addLink("E:\\b\\self", "E:\\b");
        h.sys.files.addLink("E:\\b\\other", "E:\\a\\up");
        start();
        plug();
    }
};

TEST_P(StickTest, IsWalkedWholeAndNothingGoesWithoutAYes) {
    plant(GetParam());
    EXPECT_EQ(rowPaths(), GetParam().rows);
    EXPECT_EQ(f().c("lblCount").caption(), std::to_string(GetParam().examined));
    EXPECT_EQ(messages(), GetParam().messages);
    expectTotal(static_cast<int>(GetParam().rows.size()));
    expectNothingDeleted();
}
INSTANTIATE_TEST_SUITE_P(Sticks, StickTest, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(StickTest, LongPathGoesOnlyAfterYes) {
    plant(kSticks[2]);
    h.ui.answers = {rt::No, rt::Yes};
    press(2, 4);
    expectNothingDeleted();
    press(2, 4);
    EXPECT_EQ(messages(), Texts(2, "Delete  permanently. Continue?" + std::string(20, ' ')));
    EXPECT_EQ(grid().textMatrix(2, 4) + " " + status(), "[Deleted] Deleted");
    EXPECT_TRUE(!h.sys.files.exists(kLongPath) && h.sys.files.exists("E:\\autorun.inf"));
}

// A path with an apostrophe is offered no Ignore; the others are stored as
// they are; Delete All after Yes takes the open rows' files and only those.
TEST_F(StickTest, OddNamesAreIgnoredAndDeletedExactly) {
    plant(kSticks[3]);
    Texts offered, stored, left;
    for (int row = 1; row <= 7; ++row) {
        offered.push_back(grid().textMatrix(row, 3));
        if (offered.back() == "Ignore") press(row, 3);
    }
    for (const auto& row : core::IgnoreListRows()) stored.push_back(row.pat);
    EXPECT_EQ(offered, (Texts{"Ignore", "Ignore", "", "", "Ignore", "Ignore", "Ignore"}));
    EXPECT_EQ(stored, (Texts{"E:\\%s%n%x%d.com", "E:\\100%.exe", "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif"}));
    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    EXPECT_EQ(messages(), (Texts{kConfirmAll}));
    for (const auto& path : kSticks[3].files) left.push_back(h.sys.files.exists(path) ? path : "");
    EXPECT_EQ(left, (Texts{"E:\\%s%n%x%d.com", "E:\\100%.exe", "", "", "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif",
                           "E:\\x.exe.", "E:\\x.exe ", "E:\\...", "E:\\ "}));
}

// Pulled before the poll notices, or while it ticks in the scan's yields: the
// rows found so far stay, the alert closes, Delete All on the gone stick's
// rows deletes nothing, and the next stick at E: is scanned whole.
struct PulledTest : HostileStickTest, ::testing::WithParamInterface<bool> {};

TEST_P(PulledTest, MidScanEndsCleanlyAndTheNextStickIsScanned) {
    const std::string message =
        GetParam() ? "Scanning Error... " : "Scanning Error... Maybe the a device at E: has detached.";
    for (int i = 0; i < 100; ++i) stickFile("E:\\f" + std::to_string(i / 20) + "\\x" + std::to_string(i % 20) + ".exe");
    start();
    h.ui.onDoEvents = [this] {
        if (h.ui.doEventsCount != 30) return;
        h.sys.files.removeDrive('E');
        if (GetParam()) h.clock.advance(1000);
    };
    plug();
    h.ui.onDoEvents = nullptr;
    const int found = static_cast<int>(rowPaths().size());
    EXPECT_TRUE(found > 0 && found < 100) << found;
    expectTotal(found);
    h.clock.advance(1000);
    EXPECT_FALSE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    expectNothingDeleted();
    for (int r = 1; r < grid().rows(); ++r) EXPECT_EQ(grid().textMatrix(r, 3) + grid().textMatrix(r, 4), "") << r;
    plug();
    EXPECT_TRUE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    EXPECT_EQ(static_cast<int>(rowPaths().size()), found + 100);
    expectTotal(found + 100);
    EXPECT_EQ(messages(), (Texts{message, kConfirmAll}));
    expectNothingDeleted();
}
INSTANTIATE_TEST_SUITE_P(Poll, PulledTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ticking" : "Waiting"; });

// 100,000 risky files in one folder: the count runs past 32,767 and 65,535,
// and a row far down acts on its own file.
TEST_F(StickTest, HundredThousandFilesAreAllShownAndEachRowActsOnItsOwnFile) {
    char name[32];
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(name, sizeof name, "E:\\many\\f%06d.exe", i);
        h.sys.files.addFile(name, 100);
    }
    start();
    plug();
    ASSERT_EQ(grid().rows(), 100001);
    EXPECT_EQ(f().c("lblCount").caption(), "100000");
    expectTotal(100000);
    h.ui.answers = {rt::Yes, rt::Yes, rt::Yes};
    for (int row : {40000, 70000, 100000}) press(row, 4);
    EXPECT_EQ(deletes(), (Texts{"E:\\many\\f039999.exe", "E:\\many\\f069999.exe", "E:\\many\\f099999.exe"}));
}

}  // namespace
}  // namespace tavlo::hostile
