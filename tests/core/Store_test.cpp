// The settings and ignore stores against real SQLite databases.
#include <gtest/gtest.h>

#include <functional>

#include "core/Ansi.h"
#include "core/CoreFixture.h"
#include "runtime/ErrorReport.h"

namespace tavlo::testing {
namespace {

using core::GetConf;
using core::SaveConf;
constexpr const char* kConfErr = "Conf Err.....Run Setup Again";

TEST_F(CoreTest, ConfKeepsOneRowPerKeyInGroupZxxisAndReadsTheFirst) {
    run("pso.dat", "INSERT INTO [conf] ([Group],[Key],[Value]) VALUES ('old','nnnm','first'),"
                   "('old','nnnm','second'),('x','empty',NULL)");
    const std::pair<const char*, const char*> reads[] = {
        {"nnnm", "first"}, {"NNNM", "first"}, {"empty", ""}, {"wpop", ""}, {"it's", ""}};
    for (auto [key, value] : reads) EXPECT_EQ(GetConf("zxxis", key), value) << key;
    SaveConf("any group", "nnnm", "new");
    SaveConf("", "it's", "x' OR '1'='1");
    SaveConf("zxxis", "IT'S", "v'2");
    EXPECT_EQ(confRows(), (std::vector<Row>{{"zxxis", "nnnm", "new"},
                                            {"old", "nnnm", "second"},
                                            {"x", "empty", std::nullopt},
                                            {"zxxis", "IT'S", "v'2"}}));
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_EQ(h.ui.pointers, std::vector<int>{rt::PointerDefault});  // opened once
}

TEST_F(CoreTest, EncipheredValuesOfEveryByteSurviveTheDatabase) {
    std::string ansi;
    for (int b = 1; b < 256; ++b) ansi += static_cast<char>(b);
    const std::string stored = core::EncodeValue(core::FromAnsi(ansi), core::kCipherKey);
    SaveConf("zxxis", "all", stored);
    EXPECT_EQ(core::ToAnsi(core::DecodeValue(GetConf("zxxis", "all"), core::kCipherKey)), ansi);
}

// "Ô" plus the key's comma is 256: a NUL the driver would cut the text at.
TEST_F(CoreTest, ValueWithANulIsReportedNotCut) {
    h.ui.answers = {rt::Abort};
    SaveConf("zxxis", "nnnm", core::EncodeValue("xxxxxxÔ", core::kCipherKey));
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    EXPECT_EQ(h.ui.dialogs[0].style, rt::AbortRetryIgnore | rt::Critical);
    EXPECT_TRUE(confRows().empty());
}

// A locked database: the report's answer decides.
TEST_F(CoreTest, LockedDatabaseGoesToTheErrorReport) {
    SaveConf("zxxis", "wpop", "before");
    struct Case { int answer; std::function<void()> call; const char* after; };
    std::string read = "?";
    const Case cases[] = {
        {rt::Abort, [] { SaveConf("zxxis", "wpop", "during"); }, "before"},
        {rt::Ignore, [&] { read = GetConf("zxxis", "wpop"); }, "before"},
        {rt::Retry, [] { SaveConf("zxxis", "wpop", "retried"); }, "retried"},
    };
    for (const Case& c : cases) {
        Lock lock;
        lockConf(lock);
        h.ui.dialogs.clear();
        h.ui.answers = {c.answer};
        h.ui.onMsgBox = [&](const rt::DialogRecord&) { lock.release(); };
        c.call();
        EXPECT_EQ(h.ui.dialogs.size(), 1u) << c.answer;
        EXPECT_EQ(GetConf("zxxis", "wpop"), c.after) << c.answer;
    }
    EXPECT_EQ(read, "");
}

// Each way a settings database can be unusable: two warnings, then the end.
TEST_F(StoreTest, UnusableSettingsDatabaseWarnsTwiceThenEndsTheProgram) {
    const std::string file = folder.hostFile("pso.dat");
    using Files = platform::fake::FakeFileSystem;
    const std::pair<const char*, std::function<void(Files&)>> cases[] = {
        {"missing", [](Files&) {}},
        {"hidden", [&](Files& f) {
             core::MakeSettingsDatabase(kDriver, file);
             f.addFile(systemFile("pso.dat"), 9, platform::AttrHidden | platform::AttrArchive);
         }},
        {"system", [&](Files& f) {
             core::MakeSettingsDatabase(kDriver, file);
             f.addFile(systemFile("pso.dat"), 9, platform::AttrSystem);
         }},
        {"no database", [&](Files& f) {
             std::ofstream(localPath(file), std::ios::binary) << std::string(4096, '\x9C');
             f.addFile(systemFile("pso.dat"));
         }},
        {"other table", [&](Files& f) {
             core::MakeIgnoreDatabase(kDriver, file);
             f.addFile(systemFile("pso.dat"));
         }},
    };
    for (auto& [name, make] : cases) {
        SCOPED_TRACE(name);
        platform::fake::HeadlessApp app;  // a fresh program, its store closed
        app.sys.env = h.sys.env;
        make(app.sys.files);
        EXPECT_THROW(GetConf("zxxis", "wpop"), platform::fake::ProgramEnded);
        EXPECT_FALSE(core::ConfDbOpen());
        EXPECT_EQ(app.ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr}));
        EXPECT_EQ(app.ui.dialogs.at(0).style, rt::Information);
        EXPECT_EQ(app.ui.dialogs.at(0).title, "Tavlo");
        EXPECT_EQ(app.ui.pointers, (std::vector<int>{rt::PointerDefault, rt::PointerDefault}));
        std::filesystem::remove(localPath(file));
    }
}

TEST_F(StoreTest, MissingOrHiddenIgnoreDatabaseIsSilent) {
    EXPECT_FALSE(core::EnsureIgnoreDb());
    makeIgnore(platform::AttrHidden);
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_EQ(h.ui.pointers.size(), 4u);
    EXPECT_THROW(core::IgnoreListHas("E:\\a.exe"), rt::Error);
}

TEST_F(StoreTest, ConnectionStringNamesTheDriverAndTheFile) {
    EXPECT_EQ(core::StoreConnectionString("pro.dat"),
              "DRIVER={SQLite3};Database=" + folder.host() + "/pro.dat;Timeout=1000;");
    h.sys.env.variables.clear();
    EXPECT_EQ(core::StoreConnectionString("pso.dat"),
              "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=pso.dat;DefaultDir=C:\\WINDOWS\\system32;"
              "UID=admin;PWD=Kv.)r#m4;");
}

TEST_F(StoreTest, IgnoreListFindsListsAndRemovesPathsExactly) {
    makeIgnore();
    ASSERT_TRUE(core::EnsureIgnoreDb());
    const std::string paths[] = {"E:\\it's\\run.exe", "E:\\x' OR '1'='1", "E:\\\"q\"\\é€ü.scr",
                                 "E:\\" + std::string(248, 'd') + "\\é.a"};  // 255 characters
    for (auto& p : paths) core::IgnoreListAdd(p);
    EXPECT_THROW(core::IgnoreListAdd(paths[3] + "x"), rt::Error);
    const std::pair<std::string, bool> finds[] = {
        {paths[0], true}, {"e:\\IT'S\\RUN.EXE", true}, {paths[2], true}, {paths[3], true}, {"E:\\x", false}};
    for (auto& [path, found] : finds) EXPECT_EQ(core::IgnoreListHas(path), found) << path;
    auto rows = core::IgnoreListRows();
    ASSERT_EQ(rows.size(), 4u);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].pat, paths[i]);
    EXPECT_TRUE(core::IgnoreListRemove(rows[3].aut));
    EXPECT_FALSE(core::IgnoreListRemove(rows[3].aut));
    EXPECT_FALSE(core::IgnoreListHas(paths[3]));
    core::IgnoreListAdd("E:\\new.exe");  // record numbers are not reused
    EXPECT_GT(core::IgnoreListRows().back().aut, rows[3].aut);
}

}  // namespace
}  // namespace tavlo::testing
