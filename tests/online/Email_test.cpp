// The e-mail checks: the findings of IsValidEmail, the substring rule of the
// known endings, and the keys an e-mail field lets through.
#include <gtest/gtest.h>

#include "online/Email.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::online {
namespace {

const std::string kNoAddress = "\r\nYou did not enter an email address!";
const std::string kNoAt = "\r\nYour email address does not contain an @ sign.";
const std::string kAtFirst = "\r\nYour @ sign can not be the first character in your email address!";
const std::string kAtLast = "\r\nYour @ sign can not be the last character in your email address!";
const std::string kBadEnding =
    "\r\nYour email address is not carrying a valid ending!\r\n(.com, .net, .gov, .org, .edu, .biz, .tv etc.)";
const std::string kShort = "\r\nYour email address is shorter than 6 characters which is impossible.";
const std::string kMultipleAt = "\r\nYou have multiple @ sign in your email address";

struct EmailTest : ::testing::Test {
    platform::fake::HeadlessApp h;

    // The result of the check and the findings it left.
    std::pair<bool, std::string> check(const std::string& address) {
        const bool ok = IsValidEmail(address);
        return {ok, EmailCheckMessage()};
    }
};

TEST_F(EmailTest, WellFormedAddressPassesWithoutFindings) {
    EXPECT_EQ(check("ab@cd.com"), std::make_pair(true, std::string()));
    EXPECT_EQ(check("first.last@mail.example.co.uk"), std::make_pair(true, std::string()));
}

TEST_F(EmailTest, EachFormProblemGivesItsOneFinding) {
    EXPECT_EQ(check(""), std::make_pair(false, kNoAddress));
    EXPECT_EQ(check("abcd.com"), std::make_pair(false, kNoAt));
    EXPECT_EQ(check("@abcd.com"), std::make_pair(false, kAtFirst));
    EXPECT_EQ(check("abcd.com@"), std::make_pair(false, kAtLast));
    EXPECT_EQ(check("ab@cd.info"), std::make_pair(false, kBadEnding));
    EXPECT_EQ(check("a@b.c"), std::make_pair(false, kShort));
}

// Only the first of the form problems is reported, in the order of the checks.
TEST_F(EmailTest, FormProblemsAreReportedFirstOneOnly) {
    EXPECT_EQ(check("@a.x"), std::make_pair(false, kAtFirst));     // also short, also a bad ending
    EXPECT_EQ(check("a@b.x"), std::make_pair(false, kBadEnding));  // also short
}

TEST_F(EmailTest, SecondAtSignIsReportedAfterAnyOtherFinding) {
    EXPECT_EQ(check("ab@cd@ef.com"), std::make_pair(false, kMultipleAt));
    EXPECT_EQ(check("@ab@cd.com"), std::make_pair(false, kAtFirst + kMultipleAt));
    EXPECT_EQ(check("a@b@x"), std::make_pair(false, kBadEnding + kMultipleAt));
}

TEST_F(EmailTest, EndingIsFoundAnywhereInTheList) {
    EXPECT_EQ(check("ab@cd.c"), std::make_pair(true, std::string()));  // ".C" stands inside ".COM"
    EXPECT_EQ(check("ab@cd."), std::make_pair(true, std::string()));   // an empty ending is always found
    EXPECT_TRUE(IsKnownDomainEnding("com"));
    EXPECT_TRUE(IsKnownDomainEnding(".Com"));
    EXPECT_TRUE(IsKnownDomainEnding("as"));      // the one mixed-case entry
    EXPECT_TRUE(IsKnownDomainEnding("com.edu"));  // across two entries
    EXPECT_TRUE(IsKnownDomainEnding(""));
    EXPECT_FALSE(IsKnownDomainEnding("ss2"));  // the list starts without a "."
    EXPECT_FALSE(IsKnownDomainEnding("info"));
    EXPECT_FALSE(IsKnownDomainEnding("x"));
}

TEST_F(EmailTest, LengthCountsCharactersNotBytes) {
    EXPECT_EQ(check("\xC3\xA9@b.co"), std::make_pair(true, std::string()));  // 6 characters, 7 bytes
    EXPECT_EQ(check("\xC3\xA9@b.c"), std::make_pair(false, kShort));
}

TEST_F(EmailTest, EachCheckReplacesTheFindingsOfTheLast) {
    check("");
    EXPECT_EQ(check("ab@cd.com").second, "");
}

TEST_F(EmailTest, FieldKeysLetThroughAddressCharactersAndEditingKeys) {
    const std::initializer_list<int> passing = {'-', '.', '0', '9', '@', 'A', 'Z', '_', 'a', 'z',
                                                3,   8,   10,  13,  22,  24,  26};
    for (int key : passing) {
        EXPECT_EQ(FilterEmailKey(key), key) << key;
    }
    const std::initializer_list<int> swallowed = {' ', '+', '/', ':', '?', '[', '`', '{', '~', 127, 200, 1, 9, 27};
    for (int key : swallowed) {
        EXPECT_EQ(FilterEmailKey(key), 0) << key;
    }
}

}  // namespace
}  // namespace tavlo::online
