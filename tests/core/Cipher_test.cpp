// The value cipher, the ANSI code page it works on, and the typed-text filter.
#include <gtest/gtest.h>

#include "core/Ansi.h"
#include "core/Store.h"

namespace tavlo::core {
namespace {

std::string bytes(std::initializer_list<int> codes) { return std::string(codes.begin(), codes.end()); }

// Character i (from 1) is shifted by key character (i mod length) + 1 of the upper-cased key, modulo 256.
TEST(Cipher, ShiftsEachCodeByTheKeyCodeAfterIt) {
    const std::string cases[][3] = {{"Pop", kCipherKey, bytes({80 + 82, 111 + 84, 112 + 53})},
                                    {bytes({0, 0, 0, 0, 0}), "ABC", "BCABC"},
                                    {bytes({0, 0, 0}), "abc", "BCA"},
                                    {bytes({1, 2, 3, 100}), "a", bytes({66, 67, 68, 165})},
                                    {bytes({0, 0}), "z\xE9", bytes({0xC9, 'Z'})},
                                    {bytes({0xFF, 0xBF}), "a", bytes({64, 0})},
                                    {"Full Desktop", "", "Full Desktop"},
                                    {"", kCipherKey, ""}};
    for (auto& [text, key, encoded] : cases) {
        EXPECT_EQ(ToAnsi(EncodeValue(FromAnsi(text), FromAnsi(key))), encoded) << text << " / " << key;
        EXPECT_EQ(ToAnsi(DecodeValue(FromAnsi(encoded), FromAnsi(key))), text) << text << " / " << key;
    }
    EXPECT_EQ(EncodeValue("\U0001F600", ""), "\U0001F600");
    for (int k = 1; k < 256; ++k) {
        for (int b = 0; b < 256; ++b) {
            const std::string enc = EncodeValue(FromAnsi(bytes({b, b})), FromAnsi(bytes({k, 'k'})));
            ASSERT_EQ(ToAnsi(DecodeValue(enc, FromAnsi(bytes({k, 'K'})))), bytes({b, b})) << b << " " << k;
        }
    }
}

TEST(Cipher, CodePageIsWindows1252BothWaysAndUpperCasesItsLetters) {
    const std::string page[][2] = {{bytes({0x80, 0x92, 0x9F, 0xE9, 0xFF, 'a'}), "€’Ÿéÿa"},
                                   {bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D}), "\u0081\u008D\u008F\u0090\u009D"},
                                   {"?a?b?x?y?", "\U0010FFFFa\u0100b\u0082x\U0001F600y\xFF"}};
    for (auto& [ansi, utf8] : page) {
        if (ansi.find('?') == std::string::npos) {
            EXPECT_EQ(FromAnsi(ansi), utf8);
        }
        EXPECT_EQ(ToAnsi(utf8), ansi);
    }
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(ToAnsi(FromAnsi(all)), all);
    EXPECT_EQ(FromAnsi(AnsiUpper(ToAnsi("abyz éàþ šœžÿ ß µ ÷ 1,@[`{"))), "ABYZ ÉÀÞ ŠŒŽŸ ß µ ÷ 1,@[`{");
}

TEST(StripSpecialChars, DropsTheSixCharactersAndTrimsTheCallersText) {
    const std::string cases[][3] = {{"   a<b>c&d~e'f\"g  ", "abcdefg", "a<b>c&d~e'f\"g"},
                                    {" Zoë van der Berg; x@y.z ", "Zoë van der Berg; x@y.z", "Zoë van der Berg; x@y.z"},
                                    {"     ", "", ""},
                                    {" '\"&<>~ ", "", "'\"&<>~"},
                                    {"x", "x", "x"}};
    for (auto& [in, out, trimmed] : cases) {
        std::string text = in;
        EXPECT_EQ(StripSpecialChars(text), out) << in;
        EXPECT_EQ(text, trimmed) << in;
    }
}

}  // namespace
}  // namespace tavlo::core
