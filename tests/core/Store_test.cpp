// The settings and ignore stores against real SQLite databases.
#include <gtest/gtest.h>

#include <functional>

#include "core/CoreFixture.h"

namespace tavlo::testing {
namespace {

using core::GetConf;
using core::SaveConf;

TEST_F(CoreTest, ConfKeepsOneRowPerKeyInGroupZxxisAndReadsTheFirst) {
    run("pso.dat", "INSERT INTO [conf] VALUES ('old','nnnm','first'), ('old','nnnm','second'), ('x','empty',NULL)");
    const char* reads[][2] = {{"nnnm", "first"}, {"NNNM", "first"}, {"empty", ""}, {"wpop", ""}, {"it's", ""}};
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

// A database another program holds locked: the error report's answer decides.
TEST_F(CoreTest, LockedDatabaseGoesToTheErrorReport) {
    SaveConf("zxxis", "wpop", "before");
    std::string read = "?";
    const std::tuple<int, std::function<void()>, const char*> cases[] = {
        {rt::Abort, [] { SaveConf("zxxis", "wpop", "during"); }, "before"},
        {rt::Ignore, [&] { read = GetConf("zxxis", "wpop"); }, "before"},
        {rt::Retry, [] { SaveConf("zxxis", "wpop", "retried"); }, "retried"}};
    for (auto& [answer, call, after] : cases) {
        Lock lock;
        lockConf(lock);
        h.ui.dialogs.clear();
        h.ui.answers = {answer};
        h.ui.onMsgBox = [&](const rt::DialogRecord&) { lock.release(); };
        call();
        EXPECT_EQ(h.ui.dialogs.size(), 1u) << answer;
        EXPECT_EQ(h.ui.dialogs[0].style, rt::AbortRetryIgnore | rt::Critical);
        EXPECT_EQ(GetConf("zxxis", "wpop"), after) << answer;
    }
    EXPECT_EQ(read, "");
}

// Missing, hidden or system, or without its table: two warnings, then the end.
TEST_F(StoreTest, UnusableSettingsDatabaseWarnsTwiceThenEndsTheProgram) {
    const std::string kConfErr = "Conf Err.....Run Setup Again";
    const std::pair<std::uint32_t, bool> cases[] = {{0, true},
                                                    {platform::AttrHidden | platform::AttrArchive, true},
                                                    {platform::AttrSystem, true},
                                                    {platform::AttrArchive, false}};
    for (auto [attributes, withTable] : cases) {
        platform::fake::HeadlessApp app;  // a fresh program, its store closed
        app.sys.env = h.sys.env;
        if (attributes) app.sys.files.addFile(systemFile("pso.dat"), 9, attributes);
        (withTable ? core::MakeSettingsDatabase : core::MakeIgnoreDatabase)(kDriver, folder.file("pso.dat"));
        EXPECT_THROW(GetConf("zxxis", "wpop"), platform::fake::ProgramEnded);
        EXPECT_FALSE(core::ConfDbOpen());
        EXPECT_EQ(app.ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr})) << attributes;
        EXPECT_EQ((std::tuple{app.ui.dialogs.at(0).style, app.ui.dialogs.at(0).title}), (std::tuple{64, "Tavlo"}));
        EXPECT_EQ(app.ui.pointers, (std::vector<int>{rt::PointerDefault, rt::PointerDefault}));
        std::filesystem::remove(localPath(folder.file("pso.dat")));
    }
}

TEST_F(StoreTest, MissingOrHiddenIgnoreDatabaseIsSilent) {
    EXPECT_FALSE(core::EnsureIgnoreDb());
    makeIgnore(platform::AttrHidden);
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_EQ(h.ui.pointers.size(), 4u);
    EXPECT_THROW(core::IgnoreListHas("E:\\a.exe"), rt::Error);
    EXPECT_EQ(core::StoreConnectionString("pro.dat"),
              "DRIVER={SQLite3};Database=" + folder.host + "/pro.dat;Timeout=1000;");
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
