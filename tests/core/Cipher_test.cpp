#include <gtest/gtest.h>

#include <random>

#include "core/Ansi.h"
#include "core/Store.h"

namespace tavlo::core {
namespace {

std::string bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes) s += static_cast<char>(c);
    return s;
}

std::string allBytes() {
    std::string s;
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
    return s;
}

// ---- the code page ------------------------------------------------------------------

TEST(AnsiCodePage, EveryByteRoundTripsThroughUtf8) {
    EXPECT_EQ(ToAnsi(FromAnsi(allBytes())), allBytes());
}

TEST(AnsiCodePage, HighBytesAreWindows1252) {
    EXPECT_EQ(FromAnsi(bytes({0x80, 0x92, 0x9F, 0xE9, 0xFF})), "€’Ÿéÿ");
    // The five undefined bytes read as the C1 controls of the same number.
    EXPECT_EQ(FromAnsi(bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D})), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(ToAnsi("€’Ÿéÿ"), bytes({0x80, 0x92, 0x9F, 0xE9, 0xFF}));
}

TEST(AnsiCodePage, CharactersOutsideThePageBecomeQuestionMarks) {
    EXPECT_EQ(ToAnsi("a\u0100b"), "a?b");          // Latin A with macron
    EXPECT_EQ(ToAnsi("\u0080\u0082"), "??");        // C1 controls the page maps elsewhere
    EXPECT_EQ(ToAnsi("x\U0001F600y"), "x?y");       // one character outside the BMP
    EXPECT_EQ(ToAnsi(std::string("a\xFF" "b", 3)), "a?b");  // a malformed byte
}

TEST(AnsiCodePage, UpperCaseFollowsThePage) {
    EXPECT_EQ(FromAnsi(AnsiUpper(ToAnsi("abz éàþ šœžÿ ß µ ÷ 1,"))), "ABZ ÉÀÞ ŠŒŽŸ ß µ ÷ 1,");
}

// ---- the cipher ------------------------------------------------------------------------

TEST(Cipher, EmptyKeyLeavesTheTextUnchanged) {
    EXPECT_EQ(EncodeValue("Full Desktop \U0001F600", ""), "Full Desktop \U0001F600");
    EXPECT_EQ(DecodeValue("Pop", ""), "Pop");
}

TEST(Cipher, EmptyTextGivesEmptyText) {
    EXPECT_EQ(EncodeValue("", kCipherKey), "");
    EXPECT_EQ(DecodeValue("", kCipherKey), "");
}

TEST(Cipher, OneCharacterKeyShiftsEveryCharacterByItsCode) {
    // "a" upper-cased is "A", code 65.
    EXPECT_EQ(ToAnsi(EncodeValue(FromAnsi(bytes({1, 2, 3, 100})), "a")), bytes({66, 67, 68, 165}));
}

TEST(Cipher, CharacterIUsesTheKeyCharacterAfterIt) {
    // Text position 1 uses key position 2, ..., the last text position of a
    // key-length run uses key position 1.
    EXPECT_EQ(ToAnsi(EncodeValue(FromAnsi(bytes({0, 0, 0, 0, 0})), "ABC")), bytes({'B', 'C', 'A', 'B', 'C'}));
}

TEST(Cipher, KnownValueUnderTheProgramKey) {
    // P+R, o+T, p+5 of "KRT5M81,..." upper-cased: 162, 195, 165.
    EXPECT_EQ(EncodeValue("Pop", kCipherKey), "¢Ã¥");
    EXPECT_EQ(DecodeValue("¢Ã¥", kCipherKey), "Pop");
}

TEST(Cipher, LetterCaseOfTheKeyDoesNotMatter) {
    const std::string text = "Full Desktop";
    EXPECT_EQ(EncodeValue(text, "krt5m81,volantesbpz"), EncodeValue(text, kCipherKey));
    EXPECT_EQ(EncodeValue(text, "éa"), EncodeValue(text, "ÉA"));
    EXPECT_EQ(DecodeValue(text, "abc"), DecodeValue(text, "ABC"));
}

TEST(Cipher, SumsPast255WrapAround) {
    EXPECT_EQ(ToAnsi(EncodeValue("ÿ", "A")), "@");       // 255 + 65 - 256 = 64
    EXPECT_EQ(ToAnsi(DecodeValue("@", "A")), "\xFF");
    EXPECT_EQ(ToAnsi(EncodeValue("¿", "A")), bytes({0}));  // 191 + 65 = 256
}

TEST(Cipher, EveryByteUnderEveryKeyByteRoundTrips) {
    for (int k = 1; k < 256; ++k) {
        const std::string key = FromAnsi(bytes({k}));
        for (int b = 0; b < 256; ++b) {
            const std::string text = FromAnsi(bytes({b}));
            const std::string enc = EncodeValue(text, key);
            ASSERT_EQ(ToAnsi(enc).size(), 1u);
            ASSERT_EQ(DecodeValue(enc, key), text) << "byte " << b << " key " << k;
        }
    }
}

TEST(Cipher, RandomTextsRoundTrip) {
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 300);
    const std::string keys[] = {kCipherKey, "k", "Zoë", FromAnsi(allBytes().substr(1))};
    for (int n = 0; n < 400; ++n) {
        std::string ansi;
        for (int i = length(rng); i > 0; --i) ansi += static_cast<char>(byte(rng));
        const std::string text = FromAnsi(ansi);
        const std::string& key = keys[n % std::size(keys)];
        const std::string enc = EncodeValue(text, key);
        ASSERT_EQ(ToAnsi(enc).size(), ansi.size());
        ASSERT_EQ(DecodeValue(enc, key), text);
    }
}

TEST(Cipher, TextsLongerThan32767CharactersAreProcessedWhole) {
    const std::string text(40000, 'q');
    const std::string enc = EncodeValue(text, kCipherKey);
    EXPECT_EQ(ToAnsi(enc).size(), 40000u);
    EXPECT_EQ(DecodeValue(enc, kCipherKey), text);
}

// ---- the filter for typed text -----------------------------------------------------------

TEST(StripSpecialChars, DropsTheSpecialCharactersAndTrimsTheCallersText) {
    std::string text = "   a<b>c&d~e'f\"g  ";
    EXPECT_EQ(StripSpecialChars(text), "abcdefg");
    EXPECT_EQ(text, "a<b>c&d~e'f\"g");
}

TEST(StripSpecialChars, KeepsInnerBlanksAndOtherCharacters) {
    std::string text = " Zoë van der Berg; x@y.z ";
    EXPECT_EQ(StripSpecialChars(text), "Zoë van der Berg; x@y.z");
    EXPECT_EQ(text, "Zoë van der Berg; x@y.z");
}

TEST(StripSpecialChars, BlanksOnlyEmptyTheText) {
    std::string text = "     ";
    EXPECT_EQ(StripSpecialChars(text), "");
    EXPECT_EQ(text, "");
    std::string specials = " '\"&<>~ ";
    EXPECT_EQ(StripSpecialChars(specials), "");
    EXPECT_EQ(specials, "'\"&<>~");
}

}  // namespace
}  // namespace tavlo::core
