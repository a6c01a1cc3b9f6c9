// The value cipher, the ANSI code page it works on, and the typed-text filter.
#include <gtest/gtest.h>

#include "core/Ansi.h"
#include "core/Store.h"

namespace tavlo::core {
namespace {

std::string bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

// Character i (from 1) is shifted by key character (i mod length) + 1 of the
// upper-cased key, modulo 256.
TEST(Cipher, ShiftsEachCodeByTheKeyCodeAfterIt) {
    struct Case { std::string text, key, encoded; };
    const Case cases[] = {
        {"Pop", kCipherKey, bytes({80 + 82, 111 + 84, 112 + 53})},
        {bytes({0, 0, 0, 0, 0}), "ABC", "BCABC"},
        {bytes({0, 0, 0}), "abc", "BCA"},
        {bytes({1, 2, 3, 100}), "a", bytes({66, 67, 68, 165})},
        {bytes({0, 0}), "z\xE9", bytes({0xC9, 'Z'})},
        {bytes({0xFF}), "A", bytes({64})},
        {bytes({0xBF}), "A", bytes({0})},
        {"Full Desktop", "", "Full Desktop"},
        {"", kCipherKey, ""},
    };
    for (const Case& c : cases) {
        const std::string text = FromAnsi(c.text), key = FromAnsi(c.key);
        EXPECT_EQ(ToAnsi(EncodeValue(text, key)), c.encoded) << c.text << " / " << c.key;
        EXPECT_EQ(DecodeValue(FromAnsi(c.encoded), key), text) << c.text << " / " << c.key;
    }
    EXPECT_EQ(EncodeValue("\U0001F600", ""), "\U0001F600");
}

TEST(Cipher, EveryByteUnderEveryKeyByteRoundTrips) {
    for (int k = 1; k < 256; ++k) {
        for (int b = 0; b < 256; ++b) {
            const std::string enc = EncodeValue(FromAnsi(bytes({b, b})), FromAnsi(bytes({k, 'k'})));
            ASSERT_EQ(ToAnsi(DecodeValue(enc, FromAnsi(bytes({k, 'K'})))), bytes({b, b})) << b << " " << k;
        }
    }
    const std::string longText(40000, 'q');
    EXPECT_EQ(DecodeValue(EncodeValue(longText, kCipherKey), kCipherKey), longText);
}

TEST(AnsiCodePage, IsWindows1252BothWays) {
    const std::pair<std::string, std::string> page[] = {
        {bytes({0x80, 0x92, 0x9F, 0xE9, 0xFF, 'a'}), "€’Ÿéÿa"},
        {bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D}), "\u0081\u008D\u008F\u0090\u009D"},
    };
    for (auto& [ansi, utf8] : page) {
        EXPECT_EQ(FromAnsi(ansi), utf8);
        EXPECT_EQ(ToAnsi(utf8), ansi);
    }
    const std::pair<std::string, std::string> outside[] = {
        {"a\u0100b", "a?b"}, {"\u0080\u0082", "??"}, {"x\U0001F600y", "x?y"}, {"a\xFF" "b", "a?b"}};
    for (auto& [utf8, ansi] : outside) EXPECT_EQ(ToAnsi(utf8), ansi) << utf8;
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    EXPECT_EQ(FromAnsi(AnsiUpper(ToAnsi("abyz éàþ šœžÿ ß µ ÷ 1,@[`{"))), "ABYZ ÉÀÞ ŠŒŽŸ ß µ ÷ 1,@[`{");
}

TEST(StripSpecialChars, DropsTheSixCharactersAndTrimsTheCallersText) {
    struct Case { const char *in, *out, *trimmed; };
    const Case cases[] = {
        {"   a<b>c&d~e'f\"g  ", "abcdefg", "a<b>c&d~e'f\"g"},
        {" Zoë van der Berg; x@y.z ", "Zoë van der Berg; x@y.z", "Zoë van der Berg; x@y.z"},
        {"     ", "", ""},
        {" '\"&<>~ ", "", "'\"&<>~"},
        {"x", "x", "x"},
    };
    for (const Case& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(StripSpecialChars(text), c.out) << c.in;
        EXPECT_EQ(text, c.trimmed) << c.in;
    }
}

}  // namespace
}  // namespace tavlo::core
