// The About page: the version check and its notice on the manual clock (screen
// 15360 x 11520 twips; the notice stands at 11760 after 36 steps), the link
// labels, and the Help page's guide arrow.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using AboutTest = OnlineTest;

// A click while a check waits does nothing: one request per row.
TEST_F(AboutTest, ReplyDecidesTheStatusTheLinkAndTheNotice) {
    const std::string e5 = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", was = "Available 9";
    const std::tuple<std::optional<std::string>, std::string, std::string, bool> rows[] = {
        {"1.0.6", "Available 1.0.6", "Available 1.0.6", true}, {"1.0.4", "Available 1.0.4", "Available 1.0.4", true},
        {"1.0.5", "Up to date", "", false}, {"1.0.5\r\n", "Available 1.0.5\r\n", "Available 1.0.5\r\n", true},
        {"1.0.5.6789", "Available 1.0.5.6789", "Available 1.0.5.6789", true},
        {e5 + e5, "Available " + e5 + e5, "Available " + e5 + e5, true},
        {"1.0.5.67890", "", was, false}, {"", "", was, false}, {std::nullopt, "", was, false}};
    std::vector<std::string> waiting;
    http.during = [&] {
        waiting = {c("lblCncMsg").caption(), std::to_string(w.VersionCheckBusy), std::to_string(c("picCncMsg").visible())};
        c("lblLUpdt0").click();
    };
    for (const auto& [reply, shown, link, noticed] : rows) {
        notice().unload();
        c("lblNewVer").setCaption(was);
        scope.app().setScreenPointer(rt::PointerHourglass);
        http.defaultReply = reply;
        c("lblLUpdt0").click();
        EXPECT_EQ(waiting, (std::vector<std::string>{"Checking for new version...", "-1", "1"}));
        EXPECT_EQ(c("lblCncMsg").caption(), shown.empty() ? "" : "Version Update : " + shown);
        EXPECT_EQ(std::pair(c("lblNewVer").caption(), notice().loaded() && notice().visible()), std::pair(link, noticed));
        EXPECT_TRUE(c("picCncMsg").visible() && w.VersionCheckBusy == rt::False);
        EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
    }
    EXPECT_EQ(http.requests, std::vector<std::string>(9, kServer + "/version/latest.php"));
}

TEST_F(AboutTest, NoticeShowsItsTextsOverItsPictureTopmostAtTheBottomRight) {
    sys.windows.calls.clear();
    w.ShowNewVersionPopup();
    auto& n = notice();
    EXPECT_EQ(n.c("imgPicture").picture(), n.c("imgNwVer").picture());
    EXPECT_FALSE(n.c("imgPicture").picture().empty() || n.c("lblUpdtd").visible());
    const std::tuple<const char*, std::string, rt::Color, bool> labels[] = {
        {"lblAvlbl1", "A new version of Tavlo is available.", 0x000000, true},
        {"lblDnLnk", "Click Hare", 0xFF0000, true}, {"lblAvlbl3", "to download", 0x000000, true},
        {"lblClose", "(Close 9)", 0x0040C0, false}};
    for (const auto& [name, text, colour, transparent] : labels) {
        const auto& l = n.c(name);
        EXPECT_EQ(std::tuple(l.caption(), l.visible(), l.foreColor(), l.transparent()),
                  std::tuple(text, true, colour, transparent));
    }
    EXPECT_EQ(std::tuple(n.c("lblDnLnk").mousePointer(), n.backColor(), n.design().titleBar, n.design().controlBox),
              std::tuple(99, 0x80000005u, false, false));
    EXPECT_EQ(n.design().border, rt::BorderStyle::Fixed);
    EXPECT_EQ(std::vector({n.left(), n.top(), n.width(), n.height()}), std::vector({15360, 11520 - 1140, 3570, 660}));
    EXPECT_EQ(sys.windows.calls, std::vector<std::string>{"SetWindowPos " + std::to_string(n.hWnd()) + " -1 3"});
}

TEST_F(AboutTest, UntouchedNoticeSlidesInCountsDownFromNineAndSlidesOut) {
    w.ShowNewVersionPopup();
    const std::tuple<long long, rt::Twips, const char*> rows[] = {
        {1, 15260, "(Close 9)"},    {35, 11860, "(Close 9)"},   {36, 11760, "(Close 9)"},   {1000, 11760, "(Close 9)"},
        {2000, 11760, "(Close 8)"}, {9000, 11760, "(Close 1)"}, {10999, 11760, "(Close 0)"}, {11000, 11860, "(Close -1)"},
        {11034, 15260, "(Close -1)"}};
    for (const auto& [ms, left, close] : rows) {
        at(ms);
        EXPECT_EQ(std::pair(notice().left(), notice().c("lblClose").caption()), std::pair(left, std::string(close)));
    }
    at(11035);
    EXPECT_FALSE(notice().loaded());
}

// Closing during the slide-in waits for the countdown; the download page opens
// owned by the notice.
TEST_F(AboutTest, CloseLabelAndDownloadLinkStartTheSlideOutEarly) {
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
        EXPECT_EQ(sys.shell.owners, (std::vector<platform::Handle>(std::string(label) == "lblDnLnk", owner)));
        notice().unload();
    }
    EXPECT_EQ(sys.shell.opened, std::vector<std::string>{kServer + "/download.php"});
}

TEST_F(AboutTest, NoticeKeepsItsCountdownWhileOpenAndStartsAfreshOnTheNextLoad) {
    http.defaultReply = "1.0.6";
    c("lblLUpdt0").click();
    at(3000);
    http.defaultReply = "1.0.7";
    c("lblLUpdt0").click();
    at(4000);
    EXPECT_EQ(notice().c("lblClose").caption(), "(Close 6)");
    sys.windows.calls.clear();
    notice().c("imgPicture").mouseDown(rt::RightButton, 0, 10, 10);
    notice().c("imgPicture").mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(sys.windows.calls, (std::vector<std::string>{"ReleaseCapture",
                                                           "SendMessage " + std::to_string(notice().hWnd()) + " 161 2 0"}));
    notice().c("imgPicture").dblClick();
    EXPECT_FALSE(notice().loaded());
    c("lblLUpdt0").click();
    EXPECT_EQ(notice().CloseCountdown * 100000 + notice().left(), 915360);
}

// Each link pressed and released from an underlined and from a plain look.
TEST_F(AboutTest, EachLinkOpensItsPageOnceWithTheLookOfItsRow) {
    enum Underline { Kept, On, Off };
    const std::tuple<const char*, std::string, std::string, std::string, rt::Color, bool, bool, rt::Color, Underline>
        rows[] = {{"lblNewVer", "", "Download", "/download.php?i=qorl", kRed, true, true, kBlue, Off},
                  {"lblSupprt", "Online Support", "Support", "/support", kRed, false, false, kRed, On},
                  {"lblHelp", "Online Help", "Help", "/help", kRed, false, true, kRed, Kept},
                  {"lblBug", "Report Hare", "Bug Report", "/bug", kRed, false, true, kRed, Kept},
                  {"lblLicAgr", kServer, "Tavlo Home", "", kRed, true, true, kBlue, Off},
                  {"lblFedBk", "Click hare", "Review", "/feedback.php", kBlue, false, true, kBlue, Kept}};
    for (const auto& [name, caption, tip, path, hover, hoverLine, pressKeepsLine, released, releaseLine] : rows) {
        auto& link = c(name);
        EXPECT_EQ(std::tuple(link.caption(), link.toolTip(), link.mousePointer(), link.foreColor(), link.font().underline),
                  std::tuple(caption, "Webpage : " + tip, 99, kBlue, true));
        link.setFontUnderline(false);
        link.mouseMove(0, 0, 30, 30);
        EXPECT_EQ(std::pair(link.foreColor(), link.font().underline), std::pair(hover, hoverLine)) << name;
        for (bool underlined : {true, false}) {
            sys.shell.opened.clear();
            link.setForeColor(kRed);
            link.setFontUnderline(underlined);
            const std::pair place(link.left(), link.top());
            link.mouseDown(rt::LeftButton, 0, 30, 30);
            EXPECT_EQ(std::tuple(link.left(), link.top(), link.font().underline, sys.shell.opened.size()),
                      std::tuple(place.first + 10, place.second + 10, underlined && pressKeepsLine, 0u)) << name;
            link.mouseUp(rt::LeftButton, 0, 30, 30);
            const bool line = releaseLine == Kept ? underlined && pressKeepsLine : releaseLine == On;
            EXPECT_EQ(std::tuple(link.left(), link.top(), link.foreColor(), link.font().underline),
                      std::tuple(place.first, place.second, released, line)) << name;
            EXPECT_EQ(sys.shell.opened, std::vector{kServer + path}) << name;
        }
    }
    EXPECT_EQ(sys.shell.owners, std::vector<platform::Handle>(12, w.hWnd()));
}

TEST_F(AboutTest, WindowTakesBackTheHomeLinksHoverLookWhichOpensItsCaption) {
    for (const char* name : {"lblNewVer", "lblLicAgr"}) c(name).mouseMove(0, 0, 9, 9);
    w.mouseMove(0, 0, 10, 10);
    EXPECT_EQ(std::tuple(c("lblLicAgr").foreColor(), c("lblLicAgr").font().underline, c("lblNewVer").foreColor()),
              std::tuple(kBlue, false, kRed));
    c("lblLicAgr").setCaption("http://127.0.0.1:8080/home page.html");
    c("lblLicAgr").mouseUp(rt::LeftButton, 0, 9, 9);
    EXPECT_EQ(sys.shell.opened, std::vector<std::string>{"http://127.0.0.1:8080/home page.html"});
}

// The Help page and the Settings tab where the layout puts them.
TEST_F(AboutTest, GuideArrowStandsOverTheSettingsTabUntilClicked) {
    c("picHelp").move(2760, 2280, 7540, 4075);
    c("picBtnSet").move(3960, 6410, 975, 315);
    c("imgArowD").setVisible(false);
    for (int click = 0; click < 2; ++click) c("lblStp2Cnf_CnfTab").click();
    c("picHelp").move(2760, 2280, 8540, 5075);
    EXPECT_EQ(std::tuple(c("imgArowD").visible(), c("imgArowD").left(), c("imgArowD").top()), std::tuple(true, 1515, 3730));
    c("imgArowD").click();
    EXPECT_FALSE(c("imgArowD").visible());
}

}  // namespace
}  // namespace tavlo::online::testing
