// The link labels' press, hover and release looks and the pages they open,
// the home link's reset over the bare window, and the help guide's arrow.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

constexpr rt::Color kBlue = 0xFF0000;
constexpr rt::Color kRed = 0x0000FF;

struct LinksTest : OnlineTest {
    rt::Control& link(const std::string& name) { return c(name); }
    void press(const std::string& name) { link(name).mouseDown(rt::LeftButton, 0, 30, 30); }
    void hover(const std::string& name) { link(name).mouseMove(0, 0, 30, 30); }
    void release(const std::string& name) { link(name).mouseUp(rt::LeftButton, 0, 30, 30); }
};

TEST_F(LinksTest, EachLinkOpensItsPageOnceAndEndsWhereItStarted) {
    c("lblNewVer").setCaption("Available 1.0.6");
    const std::pair<const char*, std::string> links[] = {
        {"lblNewVer", std::string(kServer) + "/download.php?i=qorl"},
        {"lblSupprt", std::string(kServer) + "/support"},
        {"lblHelp", std::string(kServer) + "/help"},
        {"lblBug", std::string(kServer) + "/bug"},
        {"lblLicAgr", std::string(kServer)},
        {"lblFedBk", std::string(kServer) + "/feedback.php"},
    };
    for (const auto& [name, page] : links) {
        SCOPED_TRACE(name);
        sys.shell.opened.clear();
        const rt::Twips left = link(name).left(), top = link(name).top();
        press(name);
        EXPECT_EQ(link(name).left(), left + 10);
        EXPECT_EQ(link(name).top(), top + 10);
        EXPECT_TRUE(sys.shell.opened.empty());
        release(name);
        EXPECT_EQ(link(name).left(), left);
        EXPECT_EQ(link(name).top(), top);
        EXPECT_EQ(sys.shell.opened, std::vector<std::string>{page});
    }
}

TEST_F(LinksTest, LinksLookLikeWebLinks) {
    for (const char* name : {"lblNewVer", "lblSupprt", "lblHelp", "lblBug", "lblLicAgr", "lblFedBk"}) {
        EXPECT_EQ(link(name).foreColor(), kBlue) << name;
        EXPECT_TRUE(link(name).font().underline) << name;
        EXPECT_EQ(link(name).mousePointer(), 99) << name;
        EXPECT_TRUE(link(name).toolTip().starts_with("Webpage : ")) << name;
    }
    EXPECT_EQ(link("lblLicAgr").toolTip(), "Webpage : Tavlo Home");
    EXPECT_EQ(link("lblNewVer").caption(), "");
}

TEST_F(LinksTest, HomeLinkOpensExactlyItsCaption) {
    link("lblLicAgr").setCaption("http://127.0.0.1:8080/home page.html");
    press("lblLicAgr");
    release("lblLicAgr");
    EXPECT_EQ(sys.shell.opened, std::vector<std::string>{"http://127.0.0.1:8080/home page.html"});
}

TEST_F(LinksTest, HoverTurnsLinksRedExceptTheFeedbackLink) {
    for (const char* name : {"lblNewVer", "lblSupprt", "lblHelp", "lblBug", "lblLicAgr"}) {
        hover(name);
        EXPECT_EQ(link(name).foreColor(), kRed) << name;
    }
    hover("lblFedBk");
    EXPECT_EQ(link("lblFedBk").foreColor(), kBlue);
}

TEST_F(LinksTest, UpdateLinkStaysRedUntilReleasedAndThenLosesItsUnderline) {
    link("lblNewVer").setFontUnderline(false);
    hover("lblNewVer");
    EXPECT_TRUE(link("lblNewVer").font().underline);
    w.mouseMove(0, 0, 10, 10);
    EXPECT_EQ(link("lblNewVer").foreColor(), kRed);
    press("lblNewVer");
    release("lblNewVer");
    EXPECT_EQ(link("lblNewVer").foreColor(), kBlue);
    EXPECT_FALSE(link("lblNewVer").font().underline);
}

TEST_F(LinksTest, MovingOverTheAboutPageTurnsEveryLinkButTheUpdateLinkBlue) {
    for (const char* name : {"lblNewVer", "lblSupprt", "lblHelp", "lblBug", "lblLicAgr"}) hover(name);
    c("picRegs").mouseMove(0, 0, 10, 10);
    for (const char* name : {"lblSupprt", "lblHelp", "lblBug", "lblLicAgr"}) {
        EXPECT_EQ(link(name).foreColor(), kBlue) << name;
    }
    EXPECT_EQ(link("lblNewVer").foreColor(), kRed);
}

TEST_F(LinksTest, SupportLinkLosesItsUnderlineWhilePressed) {
    press("lblSupprt");
    EXPECT_FALSE(link("lblSupprt").font().underline);
    release("lblSupprt");
    EXPECT_TRUE(link("lblSupprt").font().underline);
}

TEST_F(LinksTest, BareWindowTakesTheHomeLinksUnderlineUntilHoveredAgain) {
    hover("lblLicAgr");
    w.mouseMove(0, 0, 10, 10);
    EXPECT_EQ(link("lblLicAgr").foreColor(), kBlue);
    EXPECT_FALSE(link("lblLicAgr").font().underline);
    hover("lblLicAgr");
    EXPECT_TRUE(link("lblLicAgr").font().underline);
    press("lblLicAgr");
    release("lblLicAgr");
    EXPECT_FALSE(link("lblLicAgr").font().underline);
    EXPECT_EQ(link("lblLicAgr").foreColor(), kBlue);
}

TEST_F(LinksTest, FeedbackLinkTurnsBlueOnRelease) {
    link("lblFedBk").setForeColor(kRed);
    press("lblFedBk");
    release("lblFedBk");
    EXPECT_EQ(link("lblFedBk").foreColor(), kBlue);
}

// With the Help page at its place and size after the layout, the arrow stands
// on its bottom edge, centred over the Settings tab.
TEST_F(LinksTest, GuideArrowPointsAtTheSettingsTabAndHidesWhenClicked) {
    c("picHelp").move(2760, 2280, 7540, 4075);
    c("picBtnSet").move(3960, 6410, 975, 315);
    c("imgArowD").setVisible(false);
    for (int i = 0; i < 2; ++i) {
        c("lblStp2Cnf_CnfTab").click();
        EXPECT_TRUE(c("imgArowD").visible());
        EXPECT_EQ(c("imgArowD").left(), 1515);
        EXPECT_EQ(c("imgArowD").top(), 4075 - 345);
    }
    c("imgArowD").click();
    EXPECT_FALSE(c("imgArowD").visible());
}

TEST_F(LinksTest, GuideArrowKeepsItsPlaceWhenThePageResizes) {
    c("picHelp").move(2760, 2280, 7540, 4075);
    c("picBtnSet").move(3960, 6410, 975, 315);
    c("lblStp2Cnf_CnfTab").click();
    c("picHelp").move(2760, 2280, 8540, 5075);
    EXPECT_EQ(c("imgArowD").left(), 1515);
    EXPECT_EQ(c("imgArowD").top(), 3730);
}

}  // namespace
}  // namespace tavlo::online::testing
