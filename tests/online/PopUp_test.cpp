// The notice's timeline on the manual clock: slide-in, countdown, slide-out,
// and what the close label, the download link, a double click and a drag do.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

constexpr rt::Twips kScreenWidth = 15360;
constexpr rt::Twips kScreenHeight = 11520;
constexpr rt::Twips kStandingLeft = kScreenWidth - 3600;  // 36 steps of 100: fully on screen

struct PopUpTest : OnlineTest {
    void SetUp() override {
        OnlineTest::SetUp();
        ui.screenWidth_ = kScreenWidth;
        ui.screenHeight_ = kScreenHeight;
        w.ShowNewVersionPopup();
    }
    std::string closeLabel() { return notice().c("lblClose").caption(); }
    // Advances to the given time since the notice's load.
    void at(long long ms) { clock.advance(ms - clock.now()); }
};

TEST_F(PopUpTest, LoadsBeyondTheRightEdgeAboveTheScreenBottomAndTopmost) {
    EXPECT_EQ(notice().left(), kScreenWidth);
    EXPECT_EQ(notice().top(), kScreenHeight - (660 + 480));
    EXPECT_EQ(notice().width(), 3570);
    EXPECT_EQ(notice().height(), 660);
    EXPECT_EQ(notice().CloseCountdown, 9);
    ASSERT_FALSE(sys.windows.calls.empty());
    EXPECT_TRUE(sys.windows.calls.front().starts_with("SetWindowPos ")) << sys.windows.calls.front();
    EXPECT_TRUE(sys.windows.calls.front().ends_with(" -1 3")) << sys.windows.calls.front();
}

TEST_F(PopUpTest, SlidesInByOneHundredUntilFullyOnScreen) {
    at(1);
    EXPECT_EQ(notice().left(), kScreenWidth - 100);
    at(35);
    EXPECT_EQ(notice().left(), kScreenWidth - 3500);
    at(36);
    EXPECT_EQ(notice().left(), kStandingLeft);
    at(900);
    EXPECT_EQ(notice().left(), kStandingLeft);
}

TEST_F(PopUpTest, UntouchedNoticeCountsDownFromNineAndLeavesAfterElevenSeconds) {
    at(999);
    EXPECT_EQ(closeLabel(), "(Close 9)");  // the layout's text
    for (int n = 9; n >= 1; --n) {
        at((10 - n) * 1000);
        EXPECT_EQ(closeLabel(), "(Close " + std::to_string(n) + ")");
    }
    at(10000);
    EXPECT_EQ(closeLabel(), "(Close 0)");
    at(10999);
    EXPECT_EQ(notice().left(), kStandingLeft);  // armed at 9 s with 2000 ms
    at(11000);
    EXPECT_EQ(notice().left(), kStandingLeft + 100);
    at(11034);
    ASSERT_TRUE(notice().loaded());
    EXPECT_EQ(notice().left(), kScreenWidth - 100);
    at(11035);
    EXPECT_FALSE(notice().loaded());
}

// The next slide-in tick switches the slide-out off again; it then waits for
// the countdown, whose tick overwrites "Closing...", and keeps the 500 ms.
TEST_F(PopUpTest, CloseClickDuringSlideInWaitsForTheCountdown) {
    at(5);
    notice().c("lblClose").click();
    EXPECT_EQ(closeLabel(), "Closing...");
    at(1000);
    EXPECT_EQ(closeLabel(), "(Close 9)");
    at(9499);
    EXPECT_EQ(notice().left(), kStandingLeft);
    at(9500);
    EXPECT_EQ(notice().left(), kStandingLeft + 100);
    at(9535);
    EXPECT_FALSE(notice().loaded());
}

TEST_F(PopUpTest, CloseClickWhenStandingLeavesHalfASecondLater) {
    at(100);
    notice().c("lblClose").click();
    EXPECT_EQ(closeLabel(), "Closing...");
    at(599);
    EXPECT_EQ(notice().left(), kStandingLeft);
    at(635);
    EXPECT_FALSE(notice().loaded());
}

TEST_F(PopUpTest, DownloadLinkOpensTheDownloadPageAndLeavesLater) {
    at(100);
    notice().c("lblDnLnk").click();
    EXPECT_EQ(sys.shell.opened, std::vector<std::string>{std::string(kServer) + "/download.php"});
    EXPECT_EQ(closeLabel(), "Closing...");
    at(899);
    EXPECT_EQ(notice().left(), kStandingLeft);
    at(900);
    EXPECT_EQ(notice().left(), kStandingLeft + 100);
}

TEST_F(PopUpTest, DoubleClickUnloadsAndNextNoticeStartsAfresh) {
    at(3000);
    notice().c("imgPicture").dblClick();
    EXPECT_FALSE(notice().loaded());
    w.ShowNewVersionPopup();
    EXPECT_EQ(notice().CloseCountdown, 9);
    EXPECT_EQ(closeLabel(), "(Close 9)");
    EXPECT_EQ(notice().left(), kScreenWidth);
}

TEST_F(PopUpTest, LeftPressDragsTheNoticeOtherButtonsDoNot) {
    sys.windows.calls.clear();
    notice().c("imgPicture").mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(sys.windows.calls.empty());
    notice().c("imgPicture").mouseDown(rt::LeftButton, 0, 10, 10);
    ASSERT_EQ(sys.windows.calls.size(), 2u);
    EXPECT_EQ(sys.windows.calls[0], "ReleaseCapture");
    EXPECT_TRUE(sys.windows.calls[1].ends_with(" 161 2 0")) << sys.windows.calls[1];
    EXPECT_EQ(notice().mousePointer(), rt::PointerArrow);
}

}  // namespace
}  // namespace tavlo::online::testing
