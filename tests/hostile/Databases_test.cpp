// Databases that are missing, locked by another process, or not databases at
// all. The settings database at start-up ends the program after its two
// messages; the ignore database is met by the scan's refresh, which goes on
// without a word, and by the Ignore button, which tells the user. Nothing is
// deleted, and no file that is not a database is written to.
#include "core/FrmSplash.h"
#include "hostile/HostileStick.h"
#include "platform/Odbc.h"
#include "scanner/FrmIgnrLst.h"

namespace tavlo::hostile {
namespace {

enum Lock { Unlocked, LockedBefore, LockedAfterScan };
struct Spoilt {
    const char* what;
    std::optional<std::string> bytes;  // nothing: the file is missing
    Lock lock = Unlocked;
    std::string refusal = "Ignore list error...\r\nReinstall Tavlo to recover the problem.";
};
std::vector<Spoilt> spoilt() {
    std::vector<Spoilt> all{{"missing", std::nullopt}, {"locked", "", LockedBefore},
                            {"lockedAfterScan", "", LockedAfterScan, "Unknown error... d1"}};
    for (std::size_t i = 0; i < kNotDatabases.size(); ++i) all.push_back({kNotDatabaseNames[i], kNotDatabases[i]});
    return all;
}

void PrintTo(const Spoilt& spoilt, std::ostream* os) { *os << spoilt.what; }

struct DatabaseTest : HostileStickTest, ::testing::WithParamInterface<Spoilt> {
    void SetUp() override {
        if (GetParam().lock && !LockingProcess::available()) GTEST_SKIP() << "no sqlite3 shell";
    }
    void spoil(const std::string& name) {
        if (!GetParam().bytes) {
            std::filesystem::remove(local(name));
            h.sys.files.remove(systemFile(name));
            h.sys.files.calls.clear();
        } else if (!GetParam().lock) {
            overwrite(name, *GetParam().bytes);
        }
    }
    std::unique_ptr<LockingProcess> lock(const std::string& name) {
        auto other = std::make_unique<LockingProcess>(host(name), host("signal"));
        EXPECT_TRUE(other->locked());
        return other;
    }
};

TEST_P(DatabaseTest, SpoiltSettingsEndTheStartAfterTwoMessages) {
    const std::string before = bytes("pso.dat");
    spoil("pso.dat");
    auto other = GetParam().lock ? lock("pso.dat") : nullptr;
    core::StartProgram();
    EXPECT_THROW(h.clock.advance(10), platform::fake::ProgramEnded);
    EXPECT_EQ(messages(), (Texts{"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"}));
    if (GetParam().bytes) EXPECT_EQ(bytes("pso.dat"), GetParam().lock ? before : *GetParam().bytes);
}

TEST_P(DatabaseTest, SpoiltIgnoreListLeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    start();
    stickFile("E:\\x.exe");
    spoil("pro.dat");
    auto other = GetParam().lock == LockedBefore ? lock("pro.dat") : nullptr;
    plug();
    if (GetParam().lock == LockedAfterScan) other = lock("pro.dat");
    EXPECT_EQ(rowPaths(), (Texts{"E:\\x.exe"}));
    expectTotal(1);
    press(1, 3);
    EXPECT_EQ(status() + "|" + grid().textMatrix(1, 3), GetParam().refusal + "|Ignore");
    EXPECT_TRUE(f().c("picCncMsg").visible());
    EXPECT_TRUE(messages().empty());
    expectNothingDeleted();
    if (GetParam().bytes && !GetParam().lock) EXPECT_EQ(bytes("pro.dat"), *GetParam().bytes);
    if (!other) return;
    other.reset();
    press(1, 3);
    EXPECT_EQ(status() + "|" + grid().textMatrix(1, 3), "Added into the ignore list|[Ignored]");
}

INSTANTIATE_TEST_SUITE_P(Files, DatabaseTest, ::testing::ValuesIn(spoilt()),
                         [](const auto& info) { return std::string(info.param.what); });

// An ignore list far longer than 32,767 entries: the ignore-list window's
// Remove after Yes takes exactly the entry of a row far down the list.
TEST_F(HostileStickTest, LongIgnoreListRemovesTheEntryOfTheClickedRow) {
    platform::odbc::Connection db;
    db.open("DRIVER={SQLite3};Database=" + host("pro.dat") + ";");
    db.execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
               "INSERT INTO [ign] ([pat]) SELECT 'E:\\entry' || i || '.exe' FROM n");
    db.close();
    start();
    scanner::frmIgnrLst().show();
    h.clock.advance(10);
    rt::Grid& list = scanner::frmIgnrLst().grid("MsfInfectd");
    ASSERT_EQ(list.rows(), 70001);
    for (int row : {40000, 69999}) {
        const std::string entry = list.textMatrix(row, 1);
        list.setMouseCell(row, 2);
        list.clickCell(row, 2);
        h.ui.answers = {rt::Yes};
        scanner::frmIgnrLst().c("cmdDel").click();
        EXPECT_EQ(list.textMatrix(row, 2), "[Removed]");
        EXPECT_FALSE(core::IgnoreListHas(entry)) << entry;
    }
    EXPECT_EQ(core::IgnoreListRows().size(), 69998u);
}

}  // namespace
}  // namespace tavlo::hostile
