#include "core/StoreSetup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/StoreFixture.h"

namespace tavlo::testing {
namespace {

// The statement that made a table, as the database keeps it.
std::optional<std::string> tableSql(const std::string& database, const std::string& table) {
    platform::odbc::Connection db;
    db.open("DRIVER={SQLite3};Database=" + database + ";");
    platform::odbc::Statement q(db, "SELECT sql FROM sqlite_master WHERE type='table' AND name=?");
    q.bind(table).execute();
    return q.fetch() ? q.text(1) : std::nullopt;
}

TEST(StoreSetup, MakesEachDatabaseWithItsTableAndKeepsAnExistingOne) {
    useOwnDriverList();
    TempFolder folder;
    core::MakeSettingsDatabase(kDriver, folder.hostFile("pso.dat"));
    core::MakeIgnoreDatabase(kDriver, folder.hostFile("pro.dat"));
    EXPECT_TRUE(tableSql(folder.hostFile("pso.dat"), "conf"));
    EXPECT_TRUE(tableSql(folder.hostFile("pro.dat"), "ign"));
    EXPECT_FALSE(tableSql(folder.hostFile("pso.dat"), "ign"));
    {
        platform::odbc::Connection db;
        db.open("DRIVER={SQLite3};Database=" + folder.hostFile("pso.dat") + ";");
        db.execute("INSERT INTO [conf] ([Key]) VALUES ('kept')");
    }
    core::MakeSettingsDatabase(kDriver, folder.hostFile("pso.dat"));
    platform::odbc::Connection db;
    db.open("DRIVER={SQLite3};Database=" + folder.hostFile("pso.dat") + ";");
    platform::odbc::Statement q(db, "SELECT [Key] FROM [conf]");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.text(1), "kept");
}

#ifndef _WIN32

// The script of the project's runs makes the same tables with the sqlite3
// shell, and leaves files that exist alone.
TEST(MakeDatabasesScript, MakesTheSameTablesAndKeepsExistingFiles) {
    if (std::system("sqlite3 -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no sqlite3 shell";
    useOwnDriverList();
    const auto script = std::filesystem::path(__FILE__).parent_path() / "../../scripts/make-databases";
    TempFolder byCode, byScript;
    core::MakeSettingsDatabase(kDriver, byCode.hostFile("pso.dat"));
    core::MakeIgnoreDatabase(kDriver, byCode.hostFile("pro.dat"));
    const std::string target = byScript.host() + "/sub folder";
    const std::string command = "'" + script.string() + "' '" + target + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(tableSql(target + "/pso.dat", "conf"), tableSql(byCode.hostFile("pso.dat"), "conf"));
    EXPECT_EQ(tableSql(target + "/pro.dat", "ign"), tableSql(byCode.hostFile("pro.dat"), "ign"));

    std::filesystem::remove(target + "/pro.dat");
    std::ofstream(target + "/pso.dat", std::ios::binary) << "not a database";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream kept(target + "/pso.dat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "not a database");
    EXPECT_TRUE(tableSql(target + "/pro.dat", "ign"));
    EXPECT_FALSE(std::filesystem::exists(target + "/pro.dat.new"));
}

#endif

}  // namespace
}  // namespace tavlo::testing
