// Hostile sticks and unusable ignore databases met by the whole program, started
// as usual with real SQLite databases behind the fake system folder; a stick goes
// in at E: and the drive poll finds it. The cases read rows, status and messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

#include "core/Frm0.h"
#include "core/Program.h"
#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/Odbc.h"
#include "platform/fake/HeadlessApp.h"
#include "scanner/FrmIgnrLst.h"
#include "watch/FrmNwUSB.h"

namespace tavlo::hostile {
namespace {

using Texts = std::vector<std::string>;

// "E:\a\b\c..." nested `depth` folders deep, each name `width` letters long.
std::string nestedFolder(int depth, int width = 1) {
    std::string path = "E:";
    for (int i = 0; i < depth; ++i) path += "\\" + std::string(width, static_cast<char>('a' + i % 26));
    return path;
}

// The path by which this process opens a host path.
std::string localPath(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;  // where Wine shows the host's files
#endif
    return path;
}

// How a database file is spoilt: its bytes (nothing: no file) or another
// connection's exclusive lock, taken before the start or after the stick's scan.
enum Lock { None, Before, AfterScan };
struct Spoilt {
    const char* what;
    std::optional<std::string> bytes;
    Lock lock = None;
};
void PrintTo(const Spoilt& spoilt, std::ostream* os) { *os << spoilt.what; }

class HostileTest : public ::testing::Test {
protected:
    HostileTest() {
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = "SQLite3";
        h.sys.env.folders["C:\\WINDOWS\\system32"] = folder_.host;
        std::filesystem::create_directories(localPath(folder_.host));
        core::MakeSettingsDatabase("SQLite3", host("pso.dat"));
        core::MakeIgnoreDatabase("SQLite3", host("pro.dat"));
        for (const char* name : {"pso.dat", "pro.dat"}) h.sys.files.addFile(systemFile(name), 4096);
        h.sys.files.setDrive('C', platform::DriveType::Fixed);
    }
    std::string host(const std::string& name) const { return folder_.host + "/" + name; }
    static std::string systemFile(const std::string& name) { return "C:\\WINDOWS\\system32\\" + name; }

    // The start, up to the moment the tray form's poll watches the drives.
    void start() {
        ASSERT_TRUE(core::EnsureConfDb());
        core::AddMarker("conf_Info_clctd", "clctd_4m_ini");
        core::SaveConf("zxxis", "wpop", core::EncodeValue("Pop", core::kCipherKey));
        core::StartProgram();
        h.clock.advance(2100);
        h.ui.dialogs.clear();
    }
    void stickFile(const std::string& path) {  // remembered to prove it is still there
        h.sys.files.addFile(path, 1000);
        stickFiles_.push_back(path);
    }
    void plug() {
        h.sys.files.setDrive('E', platform::DriveType::Removable);
        h.clock.advance(1000);
    }
    core::Frm0& f() { return core::frm0(); }
    rt::Grid& grid() { return f().grid("MsfInfectd"); }
    Texts rowPaths() {
        Texts paths;
        for (int r = 1; r < grid().rows(); ++r) paths.push_back(grid().textMatrix(r, 1));
        return paths;
    }
    std::string status() { return f().c("lblCncMsg").caption(); }
    void press(int row, int col) {  // the user clicks a cell (3 Ignore, 4 Delete) and the button over it
        grid().clickCell(row, col);
        f().c(col == 3 ? "cmdIgn" : "cmdDel").click();
    }
    void expectTotal(int risky) {
        EXPECT_EQ(status() + "|" + f().c("lblInfected").caption(),
                  "Risky Objects found: " + std::to_string(risky) + "|" + std::to_string(risky));
    }
    // Exactly `gone` was deleted; with nothing gone, no attributes were reset either.
    void expectDeleted(const Texts& gone = {}) {
        Texts removed;
        for (const std::string& call : h.sys.files.calls) {
            if (call.rfind("remove ", 0) == 0) removed.push_back(call.substr(7));
            EXPECT_TRUE(!gone.empty() || call.rfind("resetAttributes ", 0) != 0) << call;
        }
        EXPECT_EQ(removed, gone);
        for (const std::string& file : stickFiles_)
            EXPECT_EQ(h.sys.files.exists(file), std::find(gone.begin(), gone.end(), file) == gone.end()) << file;
    }

    struct Folder {  // of the databases; removed after the program has closed them
        std::string host = "/tmp/tavlo-hostile-" + std::to_string(std::random_device{}());
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(localPath(host), ec);
        }
    } folder_;
    platform::fake::HeadlessApp h;
    Texts stickFiles_;
};

const std::string kLongPath = nestedFolder(30, 10) + "\\autorun.inf";  // over 300 characters
const std::string kDeepPath = nestedFolder(200) + "\\deep.exe";
const Texts kOddNames = {"E:\\%s%n%x%d.com", "E:\\100%.exe", "E:\\a'; DROP TABLE ign;--.exe", "E:\\it's.exe",
                         "E:\\вирус.exe", "E:\\😀.exe", "E:\\日本語\\ファイル.pif"};
const std::string kConfirmAll = "Confirm remove all items" + std::string(20, ' ');
const std::string kConfirmDelete = "Delete  permanently. Continue?" + std::string(20, ' ');

// Each stick has junctions back to its root, into a folder itself, and to a
// junction. Its rows are ignored where Ignore is offered, but the last one,
// which is deleted after Yes; Delete All then deletes the files still open.
struct Stick {
    const char* what;
    Texts files, rows, ignored, deleted, messages;
    int examined;
    const char* unreadable = nullptr;
};
const Stick kSticks[] = {
    // A folder that cannot be read is reported and the walk goes on.
    {"loops", {"E:\\a\\x.exe", "E:\\locked\\hidden.exe", "E:\\open\\y.com"}, {"E:\\a\\x.exe", "E:\\open\\y.com"},
     {"E:\\a\\x.exe"}, {"E:\\open\\y.com"}, {"Scanning Error... "}, 2, "E:\\locked"},
    // A path over 255 characters cannot be ignored.
    {"long", {kLongPath, kDeepPath, "E:\\autorun.inf"}, {"E:\\autorun.inf", kDeepPath, kLongPath}, {"E:\\autorun.inf"},
     {kLongPath, kDeepPath}, {"Too big.... cannot add"}, 3},
    // A path with an apostrophe is offered no Ignore; endings that Windows drops
    // from a plain path are not risky by their text.
    {"names", {kOddNames[0], kOddNames[1], kOddNames[2], kOddNames[3], kOddNames[4], kOddNames[5], kOddNames[6],
               "E:\\x.exe.", "E:\\x.exe ", "E:\\...", "E:\\ "}, kOddNames,
     {"E:\\%s%n%x%d.com", "E:\\100%.exe", "E:\\вирус.exe", "E:\\😀.exe"},
     {"E:\\日本語\\ファイル.pif", "E:\\a'; DROP TABLE ign;--.exe", "E:\\it's.exe"}, {}, 11},
};
void PrintTo(const Stick& stick, std::ostream* os) { *os << stick.what; }

struct StickTest : HostileTest, ::testing::WithParamInterface<Stick> {};

// The walk ends with the total on the status line; nothing goes without a Yes.
TEST_P(StickTest, IsWalkedWholeAndEachRowActsOnItsOwnFile) {
    const Stick& stick = GetParam();
    const int last = static_cast<int>(stick.rows.size());
    for (const auto& path : stick.files) stickFile(path);
    if (stick.unreadable) h.sys.files.setUnreadable(stick.unreadable);
    h.sys.files.addLink("E:\\a\\up", "E:\\");
    h.sys.files.addLink("E:\\b\\self", "E:\\b");
    h.sys.files.addLink("E:\\b\\other", "E:\\a\\up");
    start();
    plug();
    EXPECT_EQ(rowPaths(), stick.rows);
    EXPECT_EQ(f().c("lblCount").caption(), std::to_string(stick.examined));
    expectTotal(last);
    for (int row = 1; row < last; ++row)
        if (grid().textMatrix(row, 3) == "Ignore") press(row, 3);
    Texts stored, expected = stick.messages;
    for (const auto& row : core::IgnoreListRows()) stored.push_back(row.pat);
    EXPECT_EQ(stored, stick.ignored);
    h.ui.answers = {rt::No, rt::Yes, rt::Yes};
    press(last, 4);
    expectDeleted();
    press(last, 4);
    EXPECT_EQ(grid().textMatrix(last, 4) + " " + status(), "[Deleted] Deleted");
    f().c("cmdDeltAll").click();
    expected.insert(expected.end(), {kConfirmDelete, kConfirmDelete, kConfirmAll});
    EXPECT_EQ(h.ui.prompts(), expected);
    expectDeleted(stick.deleted);
}
INSTANTIATE_TEST_SUITE_P(Sticks, StickTest, ::testing::ValuesIn(kSticks),
                         [](const auto& info) { return std::string(info.param.what); });

// Pulled before the poll notices, or while it ticks in the scan's yields: the
// rows found so far stay, the alert closes, Delete All on the gone stick's
// rows deletes nothing, and the next stick at E: is scanned whole.
struct PulledTest : HostileTest, ::testing::WithParamInterface<bool> {};

TEST_P(PulledTest, MidScanEndsCleanlyAndTheNextStickIsScanned) {
    for (int i = 0; i < 100; ++i) stickFile("E:\\f" + std::to_string(i / 20) + "\\x" + std::to_string(i % 20) + ".exe");
    start();
    h.ui.onDoEvents = [this] {
        if (h.ui.doEventsCount != 30) return;
        h.sys.files.removeDrive('E');
        if (GetParam()) h.clock.advance(1000);
    };
    plug();
    h.ui.onDoEvents = nullptr;
    const int found = grid().rows() - 1;
    EXPECT_TRUE(found > 0 && found < 100) << found;
    expectTotal(found);
    h.clock.advance(1000);
    EXPECT_FALSE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    h.ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    for (int r = 1; r < grid().rows(); ++r) EXPECT_EQ(grid().textMatrix(r, 3) + grid().textMatrix(r, 4), "") << r;
    plug();
    EXPECT_TRUE(watch::frmNwUSB().loaded() && watch::frmNwUSB().visible());
    expectTotal(found + 100);
    EXPECT_EQ(h.ui.prompts(), (Texts{GetParam() ? "Scanning Error... " : "Scanning Error... Maybe the a device at E: "
                                                                       "has detached.", kConfirmAll}));
    expectDeleted();
}
INSTANTIATE_TEST_SUITE_P(Poll, PulledTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Ticking" : "Waiting"; });

// A spoilt ignore database: the scan's refresh goes on without a word, the
// Ignore button tells the user, and a file that is no database is left as it was.
const Spoilt kSpoilt[] = {
    {"missing", std::nullopt}, {"empty", ""}, {"text", "[conf]\r\nwpop=Full Desktop\r\n"},
    {"program", std::string("MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff", 14) + std::string(4000, '\xcc')},
    {"cutSQLite", std::string("SQLite format 3\0", 16) + std::string(84, '\x01')},
    {"accessFile", std::string("\0\x01\0\0Standard Jet DB\0", 20) + std::string(2028, '\0')},
    {"locked", "", Before}, {"lockedAfterScan", "", AfterScan}};

struct DatabaseTest : HostileTest, ::testing::WithParamInterface<Spoilt> {
    std::unique_ptr<platform::odbc::Connection> lockedAt(Lock now) {  // for the connection's lifetime
        if (GetParam().lock != now) return nullptr;
        auto other = std::make_unique<platform::odbc::Connection>();
        other->open("DRIVER={SQLite3};Database=" + host("pro.dat") + ";");
        other->execute("BEGIN EXCLUSIVE");
        return other;
    }
};

TEST_P(DatabaseTest, SpoiltLeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    const Spoilt& spoilt = GetParam();
    start();
    stickFile("E:\\x.exe");
    if (!spoilt.lock) {
        std::filesystem::remove(localPath(host("pro.dat")));
        if (spoilt.bytes) std::ofstream(localPath(host("pro.dat")), std::ios::binary) << *spoilt.bytes;
        if (!spoilt.bytes) h.sys.files.remove(systemFile("pro.dat"));
        h.sys.files.calls.clear();
    }
    auto other = lockedAt(Before);
    plug();
    if (!other) other = lockedAt(AfterScan);
    EXPECT_EQ(rowPaths(), (Texts{"E:\\x.exe"}));
    expectTotal(1);
    press(1, 3);
    EXPECT_EQ(status() + "|" + grid().textMatrix(1, 3),
              spoilt.lock == AfterScan ? "Unknown error... d1|Ignore"
                                           : "Ignore list error...\r\nReinstall Tavlo to recover the problem.|Ignore");
    EXPECT_TRUE(f().c("picCncMsg").visible() && h.ui.prompts().empty());
    expectDeleted();
    std::ifstream in(localPath(host("pro.dat")), std::ios::binary);
    EXPECT_EQ(spoilt.lock ? "" : std::string(std::istreambuf_iterator<char>(in), {}), spoilt.bytes.value_or(""));
    if (!other) return;
    other.reset();  // once the other connection lets go, the ignore list works
    press(1, 3);
    EXPECT_EQ(status() + "|" + grid().textMatrix(1, 3), "Added into the ignore list|[Ignored]");
}

INSTANTIATE_TEST_SUITE_P(IgnoreList, DatabaseTest, ::testing::ValuesIn(kSpoilt),
                         [](const auto& info) { return std::string(info.param.what); });

// An ignore list far longer than 32,767 entries: the ignore-list window's
// Remove after Yes takes exactly the entry of a row far down the list.
TEST_F(HostileTest, LongIgnoreListRemovesTheEntryOfTheClickedRow) {
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
    list.clickCell(40000, 2);
    h.ui.answers = {rt::Yes};
    scanner::frmIgnrLst().c("cmdDel").click();
    EXPECT_EQ(list.textMatrix(40000, 2) + " " + list.textMatrix(40000, 1), "[Removed] E:\\entry40000.exe");
    EXPECT_FALSE(core::IgnoreListHas("E:\\entry40000.exe"));
    EXPECT_EQ(core::IgnoreListRows().size(), 69999u);
}

}  // namespace
}  // namespace tavlo::hostile
