// The e-mail fields of the tell-a-friend panel: the keys they swallow and the
// check when they lose the focus.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

constexpr rt::Color kRed = 0x0000FF;
constexpr rt::Color kGrey = 0xE0E0E0;
constexpr rt::Color kWhite = 0xFFFFFF;

struct EmailFieldTest : OnlineTest {
    // Types nothing, puts the text in the field and leaves it.
    void leave(const std::string& field, const std::string& text) {
        c(field).setText(text);
        c(field).setBackColor(0x123456);
        ui.dialogs.clear();
        c(field).lostFocus();
    }
};

TEST_F(EmailFieldTest, FieldsSwallowBlanksAndSigns) {
    for (const char* field : {"txtFrndEM", "txtmail2"}) {
        EXPECT_EQ(c(field).keyPress(' '), 0) << field;
        EXPECT_EQ(c(field).keyPress('+'), 0) << field;
        EXPECT_EQ(c(field).keyPress('A'), 'A') << field;
        EXPECT_EQ(c(field).keyPress(22), 22) << field;  // paste
    }
    EXPECT_EQ(c("txtFrndNm").keyPress('+'), '+');
}

TEST_F(EmailFieldTest, GoodAddressIsLowerCasedWithItsNormalColour) {
    leave("txtFrndEM", "Ann.Lee@Example.COM");
    EXPECT_EQ(c("txtFrndEM").text(), "ann.lee@example.com");
    EXPECT_EQ(c("txtFrndEM").backColor(), kGrey);
    leave("txtmail2", "Ann@Xy.com");
    EXPECT_EQ(c("txtmail2").backColor(), kWhite);
    EXPECT_TRUE(prompts().empty());
}

TEST_F(EmailFieldTest, EmptyFieldIsRedWithItsOneFinding) {
    leave("txtFrndEM", "");
    EXPECT_EQ(c("txtFrndEM").backColor(), kRed);
    EXPECT_EQ(prompts(), std::vector<std::string>{"\r\nYou did not enter an email address!"});
    EXPECT_EQ(ui.dialogs.back().style, rt::Information);
}

TEST_F(EmailFieldTest, ShortAddressIsRedWithTheFindingsOfTheCheck) {
    leave("txtmail2", "a@b.c");
    EXPECT_EQ(c("txtmail2").backColor(), kRed);
    EXPECT_EQ(prompts(), std::vector<std::string>{
                             "\r\nYour email address is shorter than 6 characters which is impossible."});
}

TEST_F(EmailFieldTest, FormFaultsTheCheckAcceptsStillTurnTheFieldRedSilently) {
    for (const char* address : {"ab@c.com", "ab@cd.c", "ab@.com"}) {
        leave("txtFrndEM", address);
        EXPECT_EQ(c("txtFrndEM").backColor(), kRed) << address;
        EXPECT_TRUE(prompts().empty()) << address;
    }
}

TEST_F(EmailFieldTest, BlankEndsTheCheckRedWithoutMessage) {
    for (const char* address : {"ab@cd.com ", "ab cd@ef.com", "a@b c.com"}) {
        leave("txtFrndEM", address);
        EXPECT_EQ(c("txtFrndEM").backColor(), kRed) << address;
        EXPECT_TRUE(prompts().empty()) << address;
    }
}

TEST_F(EmailFieldTest, LeadingAtSignIsRedWithTheFirstCharacterFinding) {
    leave("txtFrndEM", "@abcd.com");
    EXPECT_EQ(c("txtFrndEM").backColor(), kRed);
    EXPECT_EQ(prompts(),
              std::vector<std::string>{"\r\nYour @ sign can not be the first character in your email address!"});
}

}  // namespace
}  // namespace tavlo::online::testing
