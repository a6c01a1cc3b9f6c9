// The store: the value cipher and the ANSI code page it works on, the typed-text
// filter, and the settings and ignore databases (real SQLite files).
#include <gtest/gtest.h>

#include "core/Ansi.h"
#include "core/CoreFixture.h"

namespace tavlo::testing {
namespace {

using namespace core;

std::string bytes(std::initializer_list<int> codes) { return std::string(codes.begin(), codes.end()); }

// Character i (from 1) is shifted by key character (i mod length) + 1 of the upper-cased key, modulo 256.
TEST(Cipher, ShiftsEachCodeByTheKeyCodeAfterItInWindows1252) {
    const std::string cases[][3] = {{"Pop", kCipherKey, bytes({80 + 82, 111 + 84, 112 + 53})},
                                    {bytes({0, 0, 0, 0, 0}), "ABC", "BCABC"},
                                    {bytes({0, 0, 0}), "abc", "BCA"},
                                    {bytes({0, 0}), "z\xE9", bytes({0xC9, 'Z'})},
                                    {bytes({0xFF, 0xBF}), "a", bytes({64, 0})},
                                    {"Full Desktop", "", "Full Desktop"},
                                    {"", kCipherKey, ""}};
    for (auto& [text, key, encoded] : cases) {
        EXPECT_EQ(ToAnsi(EncodeValue(FromAnsi(text), FromAnsi(key))), encoded) << text << " / " << key;
        EXPECT_EQ(ToAnsi(DecodeValue(FromAnsi(encoded), FromAnsi(key))), text) << text << " / " << key;
    }
    EXPECT_EQ(EncodeValue("\U0001F600", ""), "\U0001F600");
    // The code page is Windows-1252 both ways ("?" for what it lacks), and its letters upper-case.
    const std::string page[][2] = {{bytes({0x80, 0x92, 0x9F, 0xE9, 0xFF, 'a'}), "€’Ÿéÿa"},
                                   {bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D}), "\u0081\u008D\u008F\u0090\u009D"}};
    for (auto& [ansi, utf8] : page) EXPECT_EQ((std::pair{FromAnsi(ansi), ToAnsi(utf8)}), (std::pair{utf8, ansi}));
    EXPECT_EQ(ToAnsi("\U0010FFFFa\u0100b\u0082x\U0001F600y\xFF"), "?a?b?x?y?");
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    EXPECT_EQ(FromAnsi(AnsiUpper(ToAnsi("abyz éàþ šœžÿ ß µ ÷ 1,@[`{"))), "ABYZ ÉÀÞ ŠŒŽŸ ß µ ÷ 1,@[`{");
}

TEST(StripSpecialChars, DropsTheSixCharactersAndTrimsTheCallersText) {
    const std::string cases[][3] = {{"   a<b>c&d~e'f\"g  ", "abcdefg", "a<b>c&d~e'f\"g"},
                                    {" Zoë van der Berg; x@y.z ", "Zoë van der Berg; x@y.z", "Zoë van der Berg; x@y.z"},
                                    {"     ", "", ""},
                                    {" '\"&<>~ ", "", "'\"&<>~"}};
    for (auto& [in, out, trimmed] : cases) {
        std::string text = in;
        EXPECT_EQ(StripSpecialChars(text), out) << in;
        EXPECT_EQ(text, trimmed) << in;
    }
}

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
    EXPECT_EQ((std::tuple{h.ui.dialogs.size(), h.ui.pointers}), (std::tuple{0u, std::vector<int>{rt::PointerDefault}}));
}

// On Windows no other driver is named: the Access driver, the bare file name, the system folder, the password.
TEST_F(StoreTest, WithoutAnotherDriverTheConnectionIsTheAccessDrivers) {
    h.sys.env.variables.erase("TAVLO_ODBC_DRIVER");
    h.sys.files.systemFolder_ = "D:\\WINNT\\system32";
    for (const char* file : {"pso.dat", "pro.dat"})
        EXPECT_EQ(StoreConnectionString(file), std::string("DRIVER={Microsoft Access Driver (*.mdb)};DBQ=") + file +
                                                   ";DefaultDir=D:\\WINNT\\system32;UID=admin;PWD=Kv.)r#m4;");
}

// Missing, hidden or system, or without its table: two warnings, then the end.
TEST_F(StoreTest, UnusableSettingsDatabaseWarnsTwiceThenEndsTheProgram) {
    const std::string kConfErr = "Conf Err.....Run Setup Again";
    const std::pair<std::uint32_t, bool> cases[] = {
        {0, true}, {platform::AttrHidden, true}, {platform::AttrSystem, true}, {platform::AttrArchive, false}};
    for (auto [attributes, withTable] : cases) {
        platform::fake::HeadlessApp app;  // a fresh program, its store closed
        app.sys.env = h.sys.env;
        if (attributes) app.sys.files.addFile(systemFile("pso.dat"), 9, attributes);
        (withTable ? MakeSettingsDatabase : MakeIgnoreDatabase)(kDriver, folder.file("pso.dat"));
        EXPECT_THROW(GetConf("zxxis", "wpop"), platform::fake::ProgramEnded);
        EXPECT_EQ((std::tuple{ConfDbOpen(), app.ui.prompts(), app.ui.dialogs.at(0).style, app.ui.dialogs.at(0).title}),
                  (std::tuple{false, Names{kConfErr, kConfErr}, 64, "Tavlo"}))
            << attributes;
        std::filesystem::remove(localPath(folder.file("pso.dat")));
    }
}

}  // namespace
}  // namespace tavlo::testing
