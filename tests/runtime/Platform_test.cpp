// Texts crossing to UTF-16 and back, and the ODBC layer on an in-memory
// SQLite database through the SQLite3 driver.
#include <gmock/gmock.h>

#include "platform/Odbc.h"
#include "platform/Utf.h"

namespace tavlo::platform {
namespace {

const std::u16string kBad = u"\xFFFD";

// Every length's first and last code point, overlong forms, surrogates (kept
// only for file names), bytes that cannot start or continue a character.
TEST(PlatformTest, TextsCrossToUtf16AndBack) {
    const struct { std::string utf8; std::u16string replaced, kept; } toWide[] = {
        {"A\x7F" "\xC2\x80" "\xDF\xBF" "\xE0\xA0\x80", u"A\x7F\x80\x7FF\x800", u"A\x7F\x80\x7FF\x800"},
        {"\xED\x9F\xBF" "\xEE\x80\x80" "\xEF\xBF\xBF", u"\xD7FF\xE000\xFFFF", u"\xD7FF\xE000\xFFFF"},
        {"\xF0\x90\x80\x80" "\xF4\x8F\xBF\xBF", u"\xD800\xDC00\xDBFF\xDFFF", u"\xD800\xDC00\xDBFF\xDFFF"},
        {"\xED\xBF\xBF" "\xED\xA0\x80", std::u16string(6, 0xFFFD), u"\xDFFF\xD800"},
        {"\x80" "\xC0\xAF" "\xE0\x9F\xBF" "\xF8", std::u16string(7, 0xFFFD), std::u16string(7, 0xFFFD)},
        {"\xF0\x8F\xBF\xBF" "\xF4\x90\x80\x80", std::u16string(8, 0xFFFD), std::u16string(8, 0xFFFD)},
        {"\xE2\x82" "x" "a\xC3", kBad + kBad + u"xa" + kBad, kBad + kBad + u"xa" + kBad}};
    for (const auto& c : toWide) {
        EXPECT_EQ(toUtf16(c.utf8), c.replaced) << &c - toWide;
        EXPECT_EQ(toUtf16(c.utf8, Surrogates::Keep), c.kept) << &c - toWide;
    }
    const struct { std::u16string utf16; std::string replaced, kept; } toNarrow[] = {
        {u"\x7F\x80\x7FF\x800\xFFFF", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF",
         "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
        {u"\xD800\xDC00\xDBFF\xDFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {u"a\xDC00\xD800", "a\xEF\xBF\xBD\xEF\xBF\xBD", "a\xED\xB0\x80\xED\xA0\x80"},
        {u"\xDBFF\xDBFF\xDC01", "\xEF\xBF\xBD\xF4\x8F\xB0\x81", "\xED\xAF\xBF\xF4\x8F\xB0\x81"},
        {u"\xDC00\xD800" u"x", "\xEF\xBF\xBD\xEF\xBF\xBDx", "\xED\xB0\x80\xED\xA0\x80x"},
        {u"\xD800\xE000\xD7FF", "\xEF\xBF\xBD\xEE\x80\x80\xED\x9F\xBF", "\xED\xA0\x80\xEE\x80\x80\xED\x9F\xBF"}};
    for (const auto& c : toNarrow) {
        EXPECT_EQ(toUtf8(c.utf16), c.replaced) << &c - toNarrow;
        EXPECT_EQ(toUtf8(c.utf16, Surrogates::Keep), c.kept) << &c - toNarrow;
    }
}

// Texts of every length around the driver's 256-character pieces, NULL,
// numbers, changes that match no row, and the driver's own diagnostics.
TEST(PlatformTest, DatabaseStoresAndReadsBackWhatItIsGiven) {
    odbc::Connection db;
    db.open("DRIVER={SQLite3};Database=:memory:;");
    EXPECT_EQ(db.dbmsName(), "SQLite");
    db.execute("CREATE TABLE t ([k] INTEGER, [v] TEXT)");
    const std::string values[] = {"", "it's", std::string(255, 'x'), std::string(256, 'y'),
                                  std::string(255, 'z') + "\xF0\x9F\x98\x80", std::string(600, 'w') + "\xC3\xA9"};
    for (long k = 0; k < 6; ++k) odbc::Statement(db, "INSERT INTO t VALUES (?, ?)").bind(k).bind(values[k]).execute();
    db.execute("INSERT INTO t VALUES (NULL, NULL)");
    odbc::Statement q(db, "SELECT [k], [v] FROM t ORDER BY [k] DESC");
    q.execute();
    for (long k = 5; k >= 0; --k) {
        ASSERT_TRUE(q.fetch());
        EXPECT_EQ(q.integer(1), k);
        EXPECT_EQ(q.text(2), values[k]);
    }
    EXPECT_TRUE(q.fetch() && !q.integer(1) && !q.text(2) && !q.fetch());
    EXPECT_FALSE(odbc::Statement(db, "UPDATE t SET [v]='a' WHERE [k]=?").bind(9L).execute());
    odbc::Statement remove(db, "DELETE FROM t WHERE [k] < ?");
    EXPECT_TRUE(remove.bind(2L).execute());
    EXPECT_EQ(remove.rowCount(), 2);
    EXPECT_THROW(odbc::Statement(db, "SELECT ?").bind(std::string("a\0b", 3)), rt::Error);
    EXPECT_THAT([&] { db.execute("SELEKT 1"); },
                ::testing::ThrowsMessage<rt::Error>(::testing::HasSubstr("syntax error")));
    db.close();
    EXPECT_THROW(db.dbmsName(), rt::Error);
    EXPECT_THROW(odbc::Statement(db, "SELECT 1"), rt::Error);
    EXPECT_THROW(db.open("DRIVER={No Such Driver};"), rt::Error);
    EXPECT_FALSE(db.isOpen());
}

// With the driver reading one row per fetch, a row that fails to compute fails
// its fetch; a column that is not there fails its read. Both carry the driver's words.
TEST(PlatformTest, FetchAndReadErrorsThrowTheDriversDiagnostics) {
    odbc::Connection db;
    db.open("DRIVER={SQLite3};Database=:memory:;StepAPI=1;");
    db.execute("CREATE TABLE t ([k] INTEGER)");
    db.execute("INSERT INTO t VALUES (1), (2)");
    odbc::Statement q(db, "SELECT CASE WHEN [k] = 2 THEN abs(-9223372036854775808) ELSE [k] END FROM t");
    q.execute();
    ASSERT_TRUE(q.fetch());
    EXPECT_EQ(q.integer(1), 1);
    EXPECT_THAT([&] { q.integer(2); }, ::testing::ThrowsMessage<rt::Error>(::testing::HasSubstr("invalid column")));
    EXPECT_THAT([&] { q.text(2); }, ::testing::ThrowsMessage<rt::Error>(::testing::HasSubstr("invalid column")));
    EXPECT_THAT([&] { q.fetch(); }, ::testing::ThrowsMessage<rt::Error>(::testing::HasSubstr("integer overflow")));
}

}  // namespace
}  // namespace tavlo::platform
