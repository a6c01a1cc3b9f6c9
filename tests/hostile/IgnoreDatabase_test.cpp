// The ignore database missing, locked by another process, or no database at
// all, met by the scan's refresh (which stops without a word) and by the
// Ignore button (a status text): no crash, no hang, nothing deleted.
#include <gtest/gtest.h>

#include "hostile/HostileStick.h"

namespace tavlo::hostile {
namespace {

// ---- the ignore database, met by the scan's refresh and the Ignore button ----

const std::string kIgnoreListError = "Ignore list error...\r\nReinstall Tavlo to recover the problem.";

struct IgnoreDatabase : HostileStickTest {
    IgnoreDatabase() { stickFile("E:\\x.exe"); }
    void pressIgnore() {
        grid().setMouseCell(1, 3);
        grid().clickCell(1, 3);
        f().c("cmdIgn").click();
    }
    // The scan ends as usual: the refresh stops without a word, the row keeps
    // its cells, the total stands on the status line.
    void expectQuietScan() {
        EXPECT_TRUE(scanFinished());
        EXPECT_TRUE(messages().empty());
        EXPECT_EQ(rowPaths(), (Texts{"E:\\x.exe"}));
        EXPECT_EQ(grid().textMatrix(1, 3), "Ignore");
        expectTotal(1);
    }
    void expectIgnoreRefused(const std::string& text) {
        pressIgnore();
        EXPECT_EQ(status(), text);
        EXPECT_TRUE(f().c("picCncMsg").visible());
        EXPECT_EQ(grid().textMatrix(1, 3), "Ignore");
        EXPECT_TRUE(messages().empty());
        expectNothingDeleted();
    }
};

TEST_F(IgnoreDatabase, MissingLeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    removeDatabase("pro.dat");
    plugAndScan();
    expectQuietScan();
    expectIgnoreRefused(kIgnoreListError);
}

struct IgnoreFileThatIsNoDatabase : IgnoreDatabase, ::testing::WithParamInterface<std::size_t> {};

TEST_P(IgnoreFileThatIsNoDatabase, LeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    const auto& [what, bytes] = kNotDatabases[GetParam()];
    SCOPED_TRACE(what);
    overwriteDatabase("pro.dat", bytes);
    plugAndScan();
    expectQuietScan();
    expectIgnoreRefused(kIgnoreListError);
    std::ifstream in(folder.hostFile("pro.dat"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << "the file was changed";
}

INSTANTIATE_TEST_SUITE_P(Files, IgnoreFileThatIsNoDatabase, ::testing::Range<std::size_t>(0, kNotDatabases.size()));

TEST_F(IgnoreDatabase, LockedByAnotherProcessBeforeTheScanActsLikeAMissingOneUntilReleased) {
    if (!LockingProcess::available()) GTEST_SKIP() << "no sqlite3 shell";
    LockingProcess other(folder.hostFile("pro.dat"), folder.hostFile("locked"));
    ASSERT_TRUE(other.locked());
    plugAndScan();
    expectQuietScan();
    expectIgnoreRefused(kIgnoreListError);
    other.release();
    pressIgnore();
    EXPECT_EQ(status(), "Added into the ignore list");
    EXPECT_EQ(grid().textMatrix(1, 3), "[Ignored]");
}

TEST_F(IgnoreDatabase, LockedByAnotherProcessAfterTheScanRefusesTheIgnoreUntilReleased) {
    if (!LockingProcess::available()) GTEST_SKIP() << "no sqlite3 shell";
    plugAndScan();
    ASSERT_TRUE(core::IgnoreDbOpen());
    LockingProcess other(folder.hostFile("pro.dat"), folder.hostFile("locked"));
    ASSERT_TRUE(other.locked());
    expectIgnoreRefused("Unknown error... d1");
    other.release();
    pressIgnore();
    EXPECT_EQ(status(), "Added into the ignore list");
    EXPECT_EQ(core::IgnoreListRows().size(), 1u);
}

}  // namespace
}  // namespace tavlo::hostile
