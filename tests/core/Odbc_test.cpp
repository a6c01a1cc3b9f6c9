#include "platform/Odbc.h"

#include <gtest/gtest.h>

#include "core/StoreFixture.h"
#include "platform/Utf.h"

namespace tavlo::testing {
namespace {

using platform::odbc::Connection;
using platform::odbc::Statement;

TEST(Utf, ConvertsEveryPlaneBothWays) {
    const std::string text = "a\u00E9\u20AC\U0001F600z";
    EXPECT_EQ(platform::toUtf16(text), u"a\u00E9\u20AC\U0001F600z");
    EXPECT_EQ(platform::toUtf8(platform::toUtf16(text)), text);
}

TEST(Utf, MalformedInputReadsAsReplacementCharacters) {
    EXPECT_EQ(platform::toUtf16("a\xC3"), u"a\uFFFD");              // cut short
    EXPECT_EQ(platform::toUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");      // overlong
    EXPECT_EQ(platform::toUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // a surrogate
    EXPECT_EQ(platform::toUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\uFFFDx");
}

TEST(Utf, FileNamesKeepLoneSurrogatesBothWays) {
    const std::u16string name = std::u16string(1, char16_t(0xDC01)) + u"a.exe";
    const std::string utf8 = platform::toUtf8(name, platform::Surrogates::Keep);
    EXPECT_EQ(utf8, "\xED\xB0\x81" "a.exe");
    EXPECT_EQ(platform::toUtf16(utf8, platform::Surrogates::Keep), name);
    EXPECT_EQ(platform::toUtf16("a\xC3", platform::Surrogates::Keep), u"a\uFFFD") << "still malformed";
}

class OdbcTest : public ::testing::Test {
protected:
    OdbcTest() {
        useOwnDriverList();
        db.open("DRIVER={SQLite3};Database=" + folder.hostFile("t.db") + ";");
        db.execute("CREATE TABLE t ([k] TEXT, [v] TEXT, [n] INTEGER)");
    }
    TempFolder folder;
    Connection db;
};

TEST_F(OdbcTest, LongTextsAreReadWholeAcrossPieces) {
    // Longer than one piece, with a character of two UTF-16 units on the seam.
    std::string value = std::string(255, 'x') + "\U0001F600" + std::string(700, 'y') + "é€";
    Statement(db, "INSERT INTO t VALUES (?, ?, ?)").bind("long").bind(value).bind(7L).execute();
    Statement q(db, "SELECT [v], [n] FROM t WHERE [k]=?");
    q.bind("long").execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.text(1), value);
    EXPECT_EQ(q.integer(2), 7L);
    EXPECT_FALSE(q.fetch());
}

TEST_F(OdbcTest, NullAndEmptyAreTold) {
    db.execute("INSERT INTO t VALUES ('a', NULL, NULL), ('b', '', 0)");
    Statement q(db, "SELECT [v], [n] FROM t ORDER BY [k]");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.text(1), std::nullopt);
    EXPECT_EQ(q.integer(2), std::nullopt);
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.text(1), "");
    EXPECT_EQ(q.integer(2), 0L);
}

TEST_F(OdbcTest, ChangesThatMatchNoRowAreNoError) {
    Statement update(db, "UPDATE t SET [v]=? WHERE [k]=?");
    EXPECT_FALSE(update.bind("x").bind("none").execute());
    db.execute("INSERT INTO t VALUES ('a', 'b', 1)");
    Statement remove(db, "DELETE FROM t WHERE [k]=?");
    EXPECT_TRUE(remove.bind("a").execute());
    EXPECT_EQ(remove.rowCount(), 1);
}

TEST_F(OdbcTest, FailuresCarryTheDriversDiagnostics) {
    try {
        Statement(db, "SELECT * FROM missing_table");
        FAIL() << "no error";
    } catch (const rt::Error& e) {
        EXPECT_NE(std::string(e.what()).find("missing_table"), std::string::npos) << e.what();
    }
    Connection none;
    EXPECT_THROW(none.open("DRIVER={No Such Driver};Database=x;"), rt::Error);
    EXPECT_FALSE(none.isOpen());
    EXPECT_THROW(Statement(none, "SELECT 1"), rt::Error);
}

TEST_F(OdbcTest, TextsWithANulCharacterAreRefused) {
    Statement q(db, "INSERT INTO t ([k]) VALUES (?)");
    EXPECT_THROW(q.bind(std::string("a\0b", 3)), rt::Error);
}

}  // namespace
}  // namespace tavlo::testing
