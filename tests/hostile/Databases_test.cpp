// Databases that are missing, locked by another process, or not databases at
// all. The settings database at start-up ends the program after its two
// messages; the ignore database is met by the scan's refresh, which goes on
// without a word, and by the Ignore button, which tells the user. Nothing is
// deleted, and a file that is no database is left as it was.
#include <optional>

#include "hostile/HostileStick.h"
#include "platform/Odbc.h"
#include "scanner/FrmIgnrLst.h"

namespace tavlo::hostile {
namespace {

enum Lock { None, Before, AfterScan };
struct Spoilt {
    const char* what;
    std::optional<std::string> bytes;  // nothing: no file
    Lock lock = None;
};
const Spoilt kSpoilt[] = {
    {"missing", std::nullopt}, {"empty", ""}, {"text", "[conf]\r\nwpop=Full Desktop\r\n"},
    {"program", std::string("MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff", 14) + std::string(4000, '\xcc')},
    {"cutSQLite", std::string("SQLite format 3\0", 16) + std::string(84, '\x01')},
    {"accessFile", std::string("\0\x01\0\0Standard Jet DB\0", 20) + std::string(2028, '\0')},
    {"locked", "", Before}, {"lockedAfterScan", "", AfterScan}};
void PrintTo(const Spoilt& spoilt, std::ostream* os) { *os << spoilt.what; }

struct DatabaseTest : HostileStickTest, ::testing::WithParamInterface<Spoilt> {
    void SetUp() override {
        if (GetParam().lock && !LockingProcess::available()) GTEST_SKIP() << "no sqlite3 shell";
    }
    // Spoils the file; a lock lasts as long as the returned process.
    std::unique_ptr<LockingProcess> spoil(const std::string& name, Lock now) {
        const Spoilt& s = GetParam();
        if (s.lock) return s.lock == now ? std::make_unique<LockingProcess>(host(name), host("sig")) : nullptr;
        if (now == Before) {
            std::filesystem::remove(localPath(host(name)));
            if (s.bytes)
                std::ofstream(localPath(host(name)), std::ios::binary) << *s.bytes;
            else
                h.sys.files.remove(systemFile(name));
            h.sys.files.calls.clear();
        }
        return nullptr;
    }
    std::string bytes(const std::string& name) {
        std::ifstream in(localPath(host(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};
struct SettingsTest : DatabaseTest {};
struct IgnoreListTest : DatabaseTest {};

TEST_P(SettingsTest, SpoiltEndTheStartAfterTwoMessages) {
    const std::string before = bytes("pso.dat");
    auto other = spoil("pso.dat", Before);
    core::StartProgram();
    EXPECT_THROW(h.clock.advance(10), platform::fake::ProgramEnded);
    EXPECT_EQ(messages(), (Texts{"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"}));
    EXPECT_EQ(bytes("pso.dat"), GetParam().lock ? before : GetParam().bytes.value_or(""));
}

TEST_P(IgnoreListTest, SpoiltLeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    start();
    stickFile("E:\\x.exe");
    auto other = spoil("pro.dat", Before);
    plug();
    if (!other) other = spoil("pro.dat", AfterScan);
    EXPECT_EQ(rowPaths(), (Texts{"E:\\x.exe"}));
    expectTotal(1);
    press(1, 3);
    EXPECT_EQ(status() + "|" + grid().textMatrix(1, 3),
              GetParam().lock == AfterScan ? "Unknown error... d1|Ignore"
                                           : "Ignore list error...\r\nReinstall Tavlo to recover the problem.|Ignore");
    EXPECT_TRUE(f().c("picCncMsg").visible() && messages().empty());
    expectNothingDeleted();
    if (!GetParam().lock) {
        EXPECT_EQ(bytes("pro.dat"), GetParam().bytes.value_or(""));
    }
    if (!other) return;
    other.reset();  // once the other process lets go, the ignore list works
    press(1, 3);
    EXPECT_EQ(status() + "|" + grid().textMatrix(1, 3), "Added into the ignore list|[Ignored]");
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsTest, ::testing::ValuesIn(kSpoilt, kSpoilt + 7),
                         [](const auto& info) { return std::string(info.param.what); });
INSTANTIATE_TEST_SUITE_P(Files, IgnoreListTest, ::testing::ValuesIn(kSpoilt),
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
        list.clickCell(row, 2);
        h.ui.answers = {rt::Yes};
        scanner::frmIgnrLst().c("cmdDel").click();
        EXPECT_EQ(list.textMatrix(row, 2) + " " + entry, "[Removed] E:\\entry" + std::to_string(row) + ".exe");
        EXPECT_FALSE(core::IgnoreListHas(entry)) << entry;
    }
    EXPECT_EQ(core::IgnoreListRows().size(), 69998u);
}

}  // namespace
}  // namespace tavlo::hostile
