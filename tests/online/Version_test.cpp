// The version check and the notice it shows: every kind of reply, the state
// while it waits, and the notice's looks and timeline on the manual clock
// (screen 15360 x 11520 twips; the notice stands at 11760 after 36 steps).
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using VersionTest = OnlineTest;

TEST_F(VersionTest, ReplyDecidesTheStatusTheLinkAndTheNotice) {
    struct Row { std::optional<std::string> reply; std::string shown, link; bool notice; };
    const Row rows[] = {
        {"1.0.6", "Version Update : Available 1.0.6", "Available 1.0.6", true},
        {"1.0.4", "Version Update : Available 1.0.4", "Available 1.0.4", true},
        {"1.0.5", "Version Update : Up to date", "", false},
        {"1.0.5\r\n", "Version Update : Available 1.0.5\r\n", "Available 1.0.5\r\n", true},
        {"1.0.5.6789", "Version Update : Available 1.0.5.6789", "Available 1.0.5.6789", true},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "Version Update : Available \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9",
         "Available \xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", true},
        {"1.0.5.67890", "", "Available 9", false},
        {"", "", "Available 9", false},
        {std::nullopt, "", "Available 9", false}};
    for (const Row& r : rows) {
        notice().unload();
        c("lblNewVer").setCaption("Available 9");
        c("picCncMsg").setVisible(false);
        scope.app().setScreenPointer(rt::PointerHourglass);
        http.defaultReply = r.reply;
        c("lblLUpdt0").click();
        EXPECT_EQ(status(), r.shown);
        EXPECT_EQ(c("lblNewVer").caption(), r.link) << r.shown;
        EXPECT_EQ(notice().loaded() && notice().visible(), r.notice) << r.shown;
        EXPECT_TRUE(c("picCncMsg").visible());
        EXPECT_EQ(w.VersionCheckBusy, rt::False);
        EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
    }
    EXPECT_EQ(http.requests, std::vector<std::string>(9, kServer + "/version/latest.php"));
}

TEST_F(VersionTest, CheckWaitingForItsReplyShowsItAndIgnoresClicks) {
    std::vector<std::string> seen;
    http.during = [&] {
        seen = {status(), std::to_string(w.VersionCheckBusy), c("picCncMsg").visible() ? "shown" : "hidden"};
        c("lblLUpdt0").click();
    };
    c("lblLUpdt0").click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Checking for new version...", "-1", "shown"}));
    EXPECT_EQ(http.requests.size(), 1u);
}

TEST_F(VersionTest, NoticeShowsItsTextsOverItsPictureTopmostAtTheBottomRight) {
    sys.windows.calls.clear();
    http.defaultReply = "1.0.6";
    c("lblLUpdt0").click();
    auto& n = notice();
    EXPECT_FALSE(n.c("imgPicture").picture().empty());
    EXPECT_EQ(n.c("imgPicture").picture(), n.c("imgNwVer").picture());
    EXPECT_FALSE(n.c("lblUpdtd").visible());
    struct Row { const char* name; const char* text; rt::Color colour; bool transparent; };
    for (const Row& r : {Row{"lblAvlbl1", "A new version of Tavlo is available.", 0x000000, true},
                         Row{"lblDnLnk", "Click Hare", 0xFF0000, true}, Row{"lblAvlbl3", "to download", 0x000000, true},
                         Row{"lblClose", "(Close 9)", 0x0040C0, false}}) {
        EXPECT_EQ(n.c(r.name).caption(), r.text);
        EXPECT_TRUE(n.c(r.name).visible()) << r.name;
        EXPECT_EQ(n.c(r.name).foreColor(), r.colour) << r.name;
        EXPECT_EQ(n.c(r.name).transparent(), r.transparent) << r.name;
    }
    EXPECT_EQ(n.c("lblDnLnk").mousePointer(), 99);
    EXPECT_EQ(n.backColor(), 0x80000005u);
    EXPECT_EQ(n.design().border, rt::BorderStyle::Fixed);
    EXPECT_FALSE(n.design().titleBar || n.design().controlBox);
    EXPECT_EQ(std::vector({n.left(), n.top(), n.width(), n.height()}), std::vector({15360, 11520 - 1140, 3570, 660}));
    EXPECT_EQ(sys.windows.calls, std::vector<std::string>{"SetWindowPos " + std::to_string(n.hWnd()) + " -1 3"});
}

TEST_F(VersionTest, UntouchedNoticeSlidesInCountsDownFromNineAndSlidesOut) {
    w.ShowNewVersionPopup();
    const std::tuple<long long, rt::Twips, const char*> rows[] = {
        {1, 15260, "(Close 9)"},   {35, 11860, "(Close 9)"},  {36, 11760, "(Close 9)"},  {1000, 11760, "(Close 9)"},
        {2000, 11760, "(Close 8)"}, {9000, 11760, "(Close 1)"}, {10000, 11760, "(Close 0)"},
        {10999, 11760, "(Close 0)"}, {11000, 11860, "(Close -1)"}, {11034, 15260, "(Close -1)"}};
    for (const auto& [ms, left, close] : rows) {
        at(ms);
        EXPECT_EQ(notice().left(), left) << ms;
        EXPECT_EQ(notice().c("lblClose").caption(), close) << ms;
    }
    at(11035);
    EXPECT_FALSE(notice().loaded());
}

// Closing during the slide-in waits for the countdown, which overwrites
// "Closing..."; the download link opens its page owned by the notice.
TEST_F(VersionTest, CloseLabelAndDownloadLinkStartTheSlideOutEarly) {
    const std::tuple<const char*, long long, long long> rows[] = {
        {"lblClose", 5, 9500}, {"lblClose", 100, 600}, {"lblDnLnk", 100, 900}};
    for (const auto& [label, clickAt, firstStep] : rows) {
        const long long start = clock.now();
        w.ShowNewVersionPopup();
        const platform::Handle owner = notice().hWnd();
        at(start + clickAt);
        notice().c(label).click();
        EXPECT_EQ(notice().c("lblClose").caption(), "Closing...");
        at(start + firstStep - 1);
        EXPECT_EQ(notice().left(), 11760) << label << clickAt;
        at(start + firstStep);
        EXPECT_EQ(notice().left(), 11860) << label << clickAt;
        notice().unload();
        if (std::string(label) == "lblDnLnk") {
            EXPECT_EQ(sys.shell.opened, std::vector<std::string>{kServer + "/download.php"});
            EXPECT_EQ(sys.shell.owners, std::vector<platform::Handle>{owner});
        }
    }
}

// Left from wherever the user dragged it, once within 10 twips of the edge.
TEST_F(VersionTest, LeftPressDragsTheNoticeWhichThenLeavesFromThere) {
    w.ShowNewVersionPopup();
    sys.windows.calls.clear();
    notice().c("imgPicture").mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(sys.windows.calls.empty());
    notice().c("imgPicture").mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(sys.windows.calls, (std::vector<std::string>{
                                     "ReleaseCapture", "SendMessage " + std::to_string(notice().hWnd()) + " 161 2 0"}));
    EXPECT_EQ(notice().mousePointer(), rt::PointerArrow);
    for (const auto& [left, steps] : {std::pair{11750, 36}, std::pair{11749, 37}}) {
        w.ShowNewVersionPopup();
        at(clock.now() + 100);
        notice().setLeft(left);
        notice().c("lblClose").click();
        at(clock.now() + 500 + steps - 2);
        EXPECT_TRUE(notice().loaded()) << left;
        at(clock.now() + 1);
        EXPECT_FALSE(notice().loaded()) << left;
    }
}

TEST_F(VersionTest, NoticeKeepsItsCountdownUntilUnloadedAndThenStartsAfresh) {
    http.defaultReply = "1.0.6";
    c("lblLUpdt0").click();
    at(3000);
    EXPECT_EQ(notice().c("lblClose").caption(), "(Close 7)");
    http.defaultReply = "1.0.7";
    c("lblLUpdt0").click();
    EXPECT_EQ(c("lblNewVer").caption(), "Available 1.0.7");
    at(4000);
    EXPECT_EQ(notice().c("lblClose").caption(), "(Close 6)");
    notice().c("imgPicture").dblClick();
    EXPECT_FALSE(notice().loaded());
    c("lblLUpdt0").click();
    EXPECT_EQ(notice().CloseCountdown, 9);
    EXPECT_EQ(notice().left(), 15360);
    at(5000);
    EXPECT_EQ(notice().c("lblClose").caption(), "(Close 9)");
}

}  // namespace
}  // namespace tavlo::online::testing
