#include "core/Store.h"

#include <gtest/gtest.h>

#include "core/Ansi.h"
#include "core/StoreFixture.h"
#include "runtime/ErrorReport.h"

namespace tavlo::testing {
namespace {

using core::GetConf;
using core::SaveConf;
using platform::fake::ProgramEnded;

constexpr const char* kConfErr = "Conf Err.....Run Setup Again";

int countCalls(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (auto& c : calls) n += c.rfind(prefix, 0) == 0;
    return n;
}

// ---- settings: reading and writing -------------------------------------------

class ConfStore : public StoreTest {
protected:
    void SetUp() override { makeConf(); }
};

TEST_F(ConfStore, MissingKeyReadsAsEmpty) {
    EXPECT_EQ(GetConf("zxxis", "wpop"), "");
    EXPECT_EQ(core::DecodeValue(GetConf("zxxis", "wpop"), core::kCipherKey), "");
    EXPECT_TRUE(h.ui.dialogs.empty());
}

TEST_F(ConfStore, NewKeyAddsOneRowOfGroupZxxisWhateverGroupIsPassed) {
    SaveConf("some other group", "wpop", "value1");
    EXPECT_EQ(confRows(), (std::vector<Row>{{"zxxis", "wpop", "value1"}}));
    EXPECT_EQ(GetConf("", "wpop"), "value1");
}

TEST_F(ConfStore, ExistingKeyIsOverwrittenInItsFirstRowOnly) {
    run("pso.dat", "INSERT INTO [conf] ([Group],[Key],[Value]) VALUES ('old','nnnm','first'),"
                   "('other','keep','k'),('old','nnnm','second')");
    EXPECT_EQ(GetConf("zxxis", "nnnm"), "first");
    SaveConf("", "nnnm", "new");
    EXPECT_EQ(confRows(), (std::vector<Row>{{"zxxis", "nnnm", "new"},
                                            {"other", "keep", "k"},
                                            {"old", "nnnm", "second"}}));
    EXPECT_EQ(GetConf("zxxis", "nnnm"), "new");
}

TEST_F(ConfStore, RowWithoutValueReadsAsEmpty) {
    run("pso.dat", "INSERT INTO [conf] ([Key]) VALUES ('nnnm')");
    EXPECT_EQ(GetConf("zxxis", "nnnm"), "");
}

// Keys and values travel as parameters: quotes are plain characters.
TEST_F(ConfStore, QuotesInKeysAndValuesAreStoredAndFoundExactly) {
    SaveConf("zxxis", "wpop", "safe");
    const std::string keys[] = {"it's", "x' OR '1'='1", "'; DROP TABLE [conf]; --", "\"quoted\"", "a''b"};
    for (auto& key : keys) EXPECT_EQ(GetConf("zxxis", key), "") << key;
    for (auto& key : keys) SaveConf("zxxis", key, key + " value's");
    for (auto& key : keys) EXPECT_EQ(GetConf("zxxis", key), key + " value's") << key;
    EXPECT_EQ(GetConf("zxxis", "wpop"), "safe");
    EXPECT_EQ(GetConf("zxxis", "IT'S"), "it's value's");  // keys compare as the Access engine does
    EXPECT_EQ(confRows().size(), 6u);
}

TEST_F(ConfStore, EncipheredValuesOfEveryByteSurviveTheDatabase) {
    // Bytes 1-255 of the code page, enciphered, stored, read and deciphered.
    std::string ansi;
    for (int b = 1; b < 256; ++b) ansi += static_cast<char>(b);
    const std::string plain = core::FromAnsi(ansi);
    const std::string stored = core::EncodeValue(plain, core::kCipherKey);
    ASSERT_EQ(stored.find('\0'), std::string::npos);
    SaveConf("zxxis", "all", stored);
    EXPECT_EQ(GetConf("zxxis", "all"), stored);
    EXPECT_EQ(core::DecodeValue(GetConf("zxxis", "all"), core::kCipherKey), plain);
}

TEST_F(ConfStore, AValueTheDriverWouldCutIsReportedNotTruncated) {
    // "Ô" plus the key's comma is 256: the enciphered text holds a NUL.
    const std::string stored = core::EncodeValue("xxxxxxÔ", core::kCipherKey);
    ASSERT_NE(stored.find('\0'), std::string::npos);
    h.ui.answers = {rt::Abort};
    SaveConf("zxxis", "nnnm", stored);
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    EXPECT_EQ(h.ui.dialogs[0].style, rt::AbortRetryIgnore | rt::Critical);
    EXPECT_EQ(h.ui.dialogs[0].title, rt::kErrorReportTitle);
    EXPECT_TRUE(confRows().empty());
}

// ---- the marker row ---------------------------------------------------------------

TEST_F(ConfStore, MarkerRowIsPlainAndHasNoGroup) {
    ASSERT_TRUE(core::EnsureConfDb());
    std::string value = "unchanged";
    EXPECT_FALSE(core::GetMarker("conf_Info_clctd", value));
    EXPECT_EQ(value, "unchanged");
    core::AddMarker("conf_Info_clctd", "clctd_4m_ini");
    EXPECT_TRUE(core::GetMarker("conf_Info_clctd", value));
    EXPECT_EQ(value, "clctd_4m_ini");
    EXPECT_EQ(confRows(), (std::vector<Row>{{std::nullopt, "conf_Info_clctd", "clctd_4m_ini"}}));
}

TEST_F(ConfStore, MarkerReadsTheFirstOfSeveralRows) {
    run("pso.dat", "INSERT INTO [conf] ([Key],[Value]) VALUES ('conf_Info_clctd','junk'),"
                   "('conf_Info_clctd','ok')");
    ASSERT_TRUE(core::EnsureConfDb());
    std::string value;
    EXPECT_TRUE(core::GetMarker("conf_Info_clctd", value));
    EXPECT_EQ(value, "junk");
}

// ---- opening ---------------------------------------------------------------------------

TEST_F(ConfStore, OpensOnceForTheLifeOfTheProgram) {
    EXPECT_FALSE(core::ConfDbOpen());
    SaveConf("zxxis", "wpop", "a");
    GetConf("zxxis", "wpop");
    core::OpenConfDb();
    EXPECT_TRUE(core::ConfDbOpen());
    EXPECT_EQ(countCalls(h.sys.files.calls, "existsNormal"), 1);
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_EQ(h.ui.pointers, std::vector<int>{rt::PointerDefault});
}

TEST_F(ConfStore, StateBelongsToTheRunningProgram) {
    ASSERT_TRUE(core::EnsureConfDb());
    core::CipherKey() = core::kCipherKey;
    {
        platform::fake::HeadlessApp other;  // a second program, installed over the first
        EXPECT_FALSE(core::ConfDbOpen());
        EXPECT_EQ(core::CipherKey(), "");
    }
    EXPECT_TRUE(core::ConfDbOpen());
    EXPECT_EQ(core::CipherKey(), core::kCipherKey);
}

TEST_F(StoreTest, MissingSettingsDatabaseWarnsTwiceThenEndsTheProgram) {
    try {
        SaveConf("zxxis", "wpop", "a");
        FAIL() << "the program went on";
    } catch (const ProgramEnded& e) {
        EXPECT_EQ(e.code, 0);
    }
    ASSERT_EQ(h.ui.dialogs.size(), 2u);
    for (auto& d : h.ui.dialogs) {
        EXPECT_EQ(d.prompt, kConfErr);
        EXPECT_EQ(d.style, rt::Information);
        EXPECT_EQ(d.title, "Tavlo");
    }
    EXPECT_EQ(h.ui.pointers, (std::vector<int>{rt::PointerDefault, rt::PointerDefault}));
    EXPECT_FALSE(core::ConfDbOpen());
    EXPECT_THROW(GetConf("zxxis", "wpop"), ProgramEnded);
    EXPECT_EQ(h.ui.dialogs.size(), 4u);
}

TEST_F(StoreTest, MissingIgnoreDatabaseIsSilent) {
    core::OpenIgnoreDb();
    EXPECT_FALSE(core::IgnoreDbOpen());
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_EQ(countCalls(h.sys.files.calls, "existsNormal"), 3);  // one call, then two by the convention
    EXPECT_THROW(core::IgnoreListHas("E:\\a.exe"), rt::Error);
}

TEST_F(StoreTest, HiddenDatabaseCountsAsMissing) {
    makeConf(platform::AttrHidden | platform::AttrArchive);
    makeIgnore(platform::AttrHidden);
    EXPECT_FALSE(core::EnsureConfDb());
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr}));
}

TEST_F(StoreTest, SystemDatabaseCountsAsMissing) {
    makeConf(platform::AttrSystem);
    makeIgnore(platform::AttrSystem | platform::AttrArchive);
    EXPECT_FALSE(core::EnsureConfDb());
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr}));
}

TEST_F(StoreTest, FileThatIsNoDatabaseFailsLikeAMissingOne) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
    writeFile("pso.dat", garbage);
    writeFile("pro.dat", garbage);
    EXPECT_FALSE(core::EnsureConfDb());
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr}));
    EXPECT_THROW(SaveConf("zxxis", "wpop", "a"), ProgramEnded);
}

TEST_F(StoreTest, DatabaseWithoutItsTableFailsLikeAMissingOne) {
    writeFile("pso.dat", "");  // an empty file reads as an empty database
    core::MakeSettingsDatabase(kDriver, folder.hostFile("pro.dat"));  // the wrong table
    h.sys.files.addFile(systemFile("pro.dat"));
    EXPECT_FALSE(core::EnsureConfDb());
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_EQ(h.ui.prompts().size(), 2u);
}

TEST_F(StoreTest, ConnectionStrings) {
    h.sys.env.variables.clear();
    EXPECT_EQ(core::StoreConnectionString("pso.dat"),
              "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=pso.dat;DefaultDir=C:\\WINDOWS\\system32;"
              "UID=admin;PWD=Kv.)r#m4;");
    h.sys.env.variables["TAVLO_ODBC_DRIVER"] = "SQLite3";
    EXPECT_EQ(core::StoreConnectionString("pro.dat"),
              "DRIVER={SQLite3};Database=" + folder.host() + "/pro.dat;Timeout=1000;");
}

// ---- the ignore list -----------------------------------------------------------------

class IgnoreStore : public StoreTest {
protected:
    void SetUp() override {
        makeIgnore();
        ASSERT_TRUE(core::EnsureIgnoreDb());
    }
};

TEST_F(IgnoreStore, PathsWithQuotesAreListedFoundAndRemovedExactly) {
    const std::string paths[] = {"E:\\it's\\run.exe", "E:\\x' OR '1'='1", "E:\\\"q\"\\é€ü.scr", "E:\\plain.exe"};
    for (auto& p : paths) EXPECT_FALSE(core::IgnoreListHas(p));
    for (auto& p : paths) core::IgnoreListAdd(p);
    for (auto& p : paths) EXPECT_TRUE(core::IgnoreListHas(p)) << p;
    EXPECT_TRUE(core::IgnoreListHas("e:\\IT'S\\RUN.EXE"));  // Windows paths ignore letter case
    EXPECT_FALSE(core::IgnoreListHas("E:\\it"));
    EXPECT_FALSE(core::IgnoreListHas("E:\\x"));

    auto rows = core::IgnoreListRows();
    ASSERT_EQ(rows.size(), 4u);
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].pat, paths[i]);
    EXPECT_LT(rows[0].aut, rows[1].aut);

    EXPECT_TRUE(core::IgnoreListRemove(rows[1].aut));
    EXPECT_FALSE(core::IgnoreListHas(paths[1]));
    EXPECT_FALSE(core::IgnoreListRemove(rows[1].aut));  // already gone
    EXPECT_EQ(core::IgnoreListRows().size(), 3u);
}

TEST_F(IgnoreStore, RecordNumbersAreNotReused) {
    core::IgnoreListAdd("E:\\a.exe");
    const long first = core::IgnoreListRows().at(0).aut;
    ASSERT_TRUE(core::IgnoreListRemove(first));
    core::IgnoreListAdd("E:\\b.exe");
    EXPECT_GT(core::IgnoreListRows().at(0).aut, first);
}

TEST_F(IgnoreStore, PathsUpTo255CharactersFit) {
    const std::string longest = "E:\\" + std::string(248, 'd') + "\\é.a";  // 255 characters
    core::IgnoreListAdd(longest);
    EXPECT_TRUE(core::IgnoreListHas(longest));
    EXPECT_THROW(core::IgnoreListAdd(longest + "x"), rt::Error);
    EXPECT_EQ(core::IgnoreListRows().size(), 1u);
}

}  // namespace
}  // namespace tavlo::testing
