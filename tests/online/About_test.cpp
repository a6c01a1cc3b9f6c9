// The version check, its notice (at 11760 after 36 steps on a screen 15360 twips wide), links, guide.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using AboutTest = OnlineTest;

// A click while a check waits does nothing. The last notice: texts, picture, place, colour, topmost.
TEST_F(AboutTest, ReplyDecidesTheStatusTheLinkAndTheNotice) {
    enum Kind { Newer, Same, Unusable };
    const std::string ten = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
    const std::pair<std::optional<std::string>, Kind> rows[] = {
        {"1.0.5", Same},        {"1.0.4", Newer},    {"1.0.5\r\n", Newer}, {"1.0.5.6789", Newer}, {ten, Newer},
        {"1.0.5.67890", Unusable}, {"", Unusable}, {std::nullopt, Unusable}, {"1.0.6", Newer}};
    std::vector<std::string> waiting;
    http.during = [&] {
        waiting = {c("lblCncMsg").caption(), std::to_string(w.VersionCheckBusy), c("picCncMsg").visible() ? "1" : "0"};
        c("lblLUpdt0").click();
    };
    for (const auto& [reply, kind] : rows) {
        notice().unload();
        c("lblNewVer").setCaption("Available 9");
        scope.app().setScreenPointer(rt::PointerHourglass);
        http.defaultReply = reply;
        c("lblLUpdt0").click();
        EXPECT_EQ(waiting, (std::vector<std::string>{"Checking for new version...", "-1", "1"}));
        const std::string newer = "Available " + reply.value_or("");
        EXPECT_EQ(c("lblCncMsg").caption(),
                  kind == Newer ? "Version Update : " + newer : kind == Same ? "Version Update : Up to date" : "");
        EXPECT_EQ(c("lblNewVer").caption(), kind == Newer ? newer : kind == Same ? "" : "Available 9");
        EXPECT_EQ(notice().loaded() && notice().visible(), kind == Newer) << newer;
        EXPECT_TRUE(c("picCncMsg").visible() && !w.VersionCheckBusy && !scope.app().screenPointer()) << newer;
    }
    EXPECT_EQ(http.requests, std::vector<std::string>(9, kServer + "/version/latest.php"));
    EXPECT_EQ(c("lblLUpdt2").caption(), "Click above to check");  // still true after any check
    auto& n = notice();
    EXPECT_TRUE(n.c("imgPicture").picture() == n.c("imgNwVer").picture() && n.c("imgPicture").visible());
    EXPECT_FALSE(n.c("imgPicture").picture().empty() || n.c("lblUpdtd").visible() || n.design().titleBar ||
                 n.design().controlBox);
    for (const auto& [name, text, colour, transparent, pointer] :
         {std::tuple{"lblAvlbl1", "A new version of Tavlo is available.", 0x000000u, true, 0},
          {"lblDnLnk", "Click Hare", kBlue, true, 99}, {"lblAvlbl3", "to download", 0x000000u, true, 0},
          {"lblClose", "(Close 9)", 0x0040C0u, false, 0}}) {
        const auto& l = n.c(name);
        EXPECT_EQ(std::tuple(l.caption(), l.visible(), l.foreColor(), l.transparent(), l.mousePointer()),
                  std::tuple(std::string(text), true, colour, transparent, pointer));
    }
    EXPECT_EQ(std::tuple(n.backColor(), n.top(), n.width(), n.height()), std::tuple(0x80000005u, 10380, 3570, 660));
    EXPECT_EQ(sys.windows.calls.back(), "SetWindowPos " + std::to_string(n.hWnd()) + " -1 3");
}

// The main window unloaded while its check waits (a pulled stick does so and
// loads it again): the reply lands in the next load.
TEST_F(AboutTest, WindowUnloadedWhileTheCheckWaitsTakesTheReplyInItsNextLoad) {
    http.defaultReply = "1.0.5";
    http.during = [&] { w.unload(); };
    c("lblLUpdt0").click();
    EXPECT_EQ(c("lblCncMsg").caption(), "Version Update : Up to date");
    EXPECT_EQ(w.VersionCheckBusy, rt::False);
}

// Notices shown by a check (again while open: the countdown goes on), closed, their link clicked, double-clicked.
TEST_F(AboutTest, NoticeSlidesInCountsDownAndSlidesOutAsTheUserLetsIt) {
    enum Act { Wait, Check, Close, Link, Twice };
    const std::tuple<long long, Act, rt::Twips, const char*> script[] = {
        {0, Check, 15360, "(Close 9)"},      {1, Wait, 15260, "(Close 9)"},       {35, Wait, 11860, "(Close 9)"},
        {36, Wait, 11760, "(Close 9)"},      {2000, Wait, 11760, "(Close 8)"},    {3000, Check, 11760, "(Close 7)"},
        {9000, Wait, 11760, "(Close 1)"},    {10999, Wait, 11760, "(Close 0)"},   {11000, Wait, 11860, "(Close -1)"},
        {11034, Wait, 15260, "(Close -1)"},  {11035, Wait, 0, ""},                {20000, Check, 15360, "(Close 9)"},
        {20005, Close, 14860, "Closing..."}, {21000, Wait, 11760, "(Close 9)"},   {29499, Wait, 11760, "(Close 1)"},
        {29500, Wait, 11860, "(Close 1)"},   {29501, Twice, 0, ""},               {30000, Check, 15360, "(Close 9)"},
        {30100, Close, 11760, "Closing..."}, {30599, Wait, 11760, "Closing..."},  {30600, Wait, 11860, "Closing..."},
        {30601, Twice, 0, ""},               {40000, Check, 15360, "(Close 9)"},  {40100, Link, 11760, "Closing..."},
        {40899, Wait, 11760, "Closing..."},  {40900, Wait, 11860, "Closing..."},  {40901, Twice, 0, ""}};
    http.defaultReply = "1.0.6";
    platform::Handle owner = 0;
    for (const auto& [ms, act, left, close] : script) {
        clock.advance(ms - clock.now());
        auto& n = notice();
        if (act == Check) c("lblLUpdt0").click();
        if (act == Close) n.c("lblClose").click();
        if (act == Twice) n.c("imgPicture").dblClick();
        if (act == Link) n.c("lblDnLnk").click();
        if (act == Link) owner = n.hWnd();
        EXPECT_EQ(n.loaded() ? std::pair(n.left(), n.c("lblClose").caption()) : std::pair(0, std::string()),
                  std::pair(left, std::string(close))) << ms;
    }
    EXPECT_EQ(std::pair(sys.shell.opened, sys.shell.owners),
              std::pair(std::vector<std::string>{kServer + "/download.php"}, std::vector{owner}));
}

// Only a left press drags the notice, on the window or on its picture: the move pointer during the system's
// move loop, the arrow after it.
TEST_F(AboutTest, LeftPressMovesTheNotice) {
    auto& n = notice();
    n.show();
    std::vector<std::string> seen;
    sys.windows.onCall = [&](const std::string& call) {
        seen.push_back(call + " | " + std::to_string(n.mousePointer()));
    };
    auto press = [&](auto& target, int button) {
        seen.push_back("press " + std::to_string(button));
        target.mouseDown(button, 0, 10, 10);
    };
    for (int button : {rt::RightButton, rt::LeftButton}) press(n, button);
    for (int button : {rt::RightButton, rt::LeftButton}) press(n.c("imgPicture"), button);
    const std::string send = "SendMessage " + std::to_string(n.hWnd()) + " 161 2 0 | 15";
    EXPECT_EQ(seen, (std::vector<std::string>{"press 2", "press 1", "ReleaseCapture | 15", send, "press 2", "press 1",
                                              "ReleaseCapture | 15", send}));
    EXPECT_EQ(n.mousePointer(), 1);
}

// Each link pressed and released from an underlined and from a plain look.
TEST_F(AboutTest, EachLinkOpensItsPageOnceWithTheLookOfItsRowAndTheGuidePoints) {
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
        EXPECT_EQ(std::tuple(link.caption(), link.toolTip(), link.mousePointer(), link.foreColor(),
                             link.font().underline, link.transparent()),
                  std::tuple(caption, "Webpage : " + tip, 99, kBlue, true, true)) << name;
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
    for (const char* name : {"lblNewVer", "lblLicAgr"}) c(name).mouseMove(0, 0, 9, 9);
    w.mouseMove(0, 0, 10, 10);  // the bare window takes back the home link's look only
    EXPECT_EQ(std::tuple(c("lblLicAgr").foreColor(), c("lblLicAgr").font().underline, c("lblNewVer").foreColor()),
              std::tuple(kBlue, false, kRed));
    const char* aboutLinks[] = {"lblNewVer", "lblSupprt", "lblHelp", "lblBug", "lblLicAgr"};
    for (const char* name : aboutLinks) c(name).mouseMove(0, 0, 9, 9);
    c("picRegs").mouseMove(0, 0, 10, 10);  // the bare About page takes back its links' colour, the new version's not
    std::vector<rt::Color> colours;
    for (const char* name : aboutLinks) colours.push_back(c(name).foreColor());
    EXPECT_EQ(colours, (std::vector{kRed, kBlue, kBlue, kBlue, kBlue}));
    auto& arrow = c("imgArowD");  // the guide, with the Help page and the Settings tab where the layout puts them
    arrow.click();
    EXPECT_FALSE(arrow.visible());
    c("picHelp").move(2760, 2280, 7540, 4075);
    c("picBtnSet").move(3960, 6410, 975, 315);
    c("lblStp2Cnf_CnfTab").click();
    EXPECT_EQ(std::tuple(arrow.visible(), arrow.left(), arrow.top()), std::tuple(true, 1515, 3730));
    w.OpenScanPage();  // a page switch takes the guide away
    EXPECT_FALSE(arrow.visible());
}

}  // namespace
}  // namespace tavlo::online::testing
