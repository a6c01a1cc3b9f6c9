// The version check: every kind of reply, a failed request, the busy flag,
// and the notice it shows.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

struct VersionCheckTest : OnlineTest {
    // Clicks "Last Update" with the server's reply (nothing: the request fails).
    void checkWith(std::optional<std::string> reply) {
        http.replies[kVersionUrl] = std::move(reply);
        c("lblLUpdt0").click();
    }
    std::string status() { return c("lblCncMsg").caption(); }
    void expectIdle() {
        EXPECT_EQ(w.VersionCheckBusy, rt::False);
        EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
    }
};

TEST_F(VersionCheckTest, NewerVersionIsAnnouncedInStatusLinkAndNotice) {
    checkWith("1.0.6");
    EXPECT_EQ(http.requests, std::vector<std::string>{kVersionUrl});
    EXPECT_EQ(status(), "Version Update : Available 1.0.6");
    EXPECT_EQ(c("lblNewVer").caption(), "Available 1.0.6");
    EXPECT_TRUE(c("picCncMsg").visible());
    ASSERT_TRUE(noticeOpen());
    EXPECT_FALSE(notice().c("lblUpdtd").visible());
    for (const char* label : {"lblDnLnk", "lblAvlbl1", "lblAvlbl3"}) EXPECT_TRUE(notice().c(label).visible()) << label;
    EXPECT_FALSE(notice().c("imgPicture").picture().empty());
    EXPECT_EQ(notice().c("imgPicture").picture(), notice().c("imgNwVer").picture());
    expectIdle();
}

TEST_F(VersionCheckTest, AnyDifferenceCountsAsAvailable) {
    checkWith("1.0.4");
    EXPECT_EQ(status(), "Version Update : Available 1.0.4");
    EXPECT_TRUE(noticeOpen());
}

TEST_F(VersionCheckTest, SameVersionIsUpToDateAndEmptiesTheLink) {
    c("lblNewVer").setCaption("Available 1.0.6");
    checkWith("1.0.5");
    EXPECT_EQ(status(), "Version Update : Up to date");
    EXPECT_EQ(c("lblNewVer").caption(), "");
    EXPECT_FALSE(notice().loaded());
    expectIdle();
}

// The reply is taken as it arrives: a line break counts and makes it differ.
TEST_F(VersionCheckTest, ReplyOfOneToTenCharactersIsUsedExactly) {
    checkWith("1.0.5\r\n");
    EXPECT_EQ(status(), "Version Update : Available 1.0.5\r\n");
    checkWith("2");
    EXPECT_EQ(status(), "Version Update : Available 2");
    checkWith("1.0.5.6789");
    EXPECT_EQ(status(), "Version Update : Available 1.0.5.6789");
    EXPECT_EQ(c("lblNewVer").caption(), "Available 1.0.5.6789");
}

TEST_F(VersionCheckTest, EmptyOrLongerReplyOnlyClearsTheStatus) {
    for (const char* reply : {"", "1.0.5.67890", "<html>Not here</html>"}) {
        c("lblNewVer").setCaption("Available 1.0.6");
        checkWith(reply);
        EXPECT_EQ(status(), "") << reply;
        EXPECT_EQ(c("lblNewVer").caption(), "Available 1.0.6") << reply;
        EXPECT_FALSE(notice().loaded()) << reply;
        expectIdle();
    }
    EXPECT_EQ(http.requests.size(), 3u);  // each click checks again
}

TEST_F(VersionCheckTest, FailedRequestEndsLikeAnEmptyReply) {
    checkWith(std::nullopt);
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(notice().loaded());
    expectIdle();
    checkWith("1.0.6");
    EXPECT_EQ(status(), "Version Update : Available 1.0.6");
}

TEST_F(VersionCheckTest, CheckShowsItsStateWhileWaiting) {
    std::string seen;
    short busy = rt::False;
    http.during = [&] {
        seen = status();
        busy = w.VersionCheckBusy;
        EXPECT_TRUE(c("picCncMsg").visible());
    };
    checkWith("1.0.5");
    EXPECT_EQ(seen, "Checking for new version...");
    EXPECT_EQ(busy, rt::True);
    expectIdle();
}

TEST_F(VersionCheckTest, ClickWhileACheckWaitsDoesNothing) {
    http.during = [&] { c("lblLUpdt0").click(); };
    checkWith("1.0.6");
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(status(), "Version Update : Available 1.0.6");
}

TEST_F(VersionCheckTest, SecondDifferentReplyUpdatesTheOpenNoticeWithoutRestartingIt) {
    checkWith("1.0.6");
    clock.advance(3000);
    EXPECT_EQ(notice().c("lblClose").caption(), "(Close 7)");
    checkWith("1.0.7");
    EXPECT_EQ(c("lblNewVer").caption(), "Available 1.0.7");
    clock.advance(1000);
    EXPECT_EQ(notice().c("lblClose").caption(), "(Close 6)");
    EXPECT_TRUE(noticeOpen());
}

}  // namespace
}  // namespace tavlo::online::testing
