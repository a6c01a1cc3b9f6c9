// The link labels of the About and Help pages and the help guide's arrow.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using LinksTest = OnlineTest;

// Every press and release, from an underlined and a plain red label.
TEST_F(LinksTest, EachLinkOpensItsPageOnceWithTheLookOfItsRow) {
    enum Underline { Kept, On, Off };
    struct Row {
        const char* name;
        std::string caption, tip, page;
        rt::Color hover;
        bool hoverUnderline, pressKeepsUnderline;
        rt::Color released;
        Underline release;
    };
    const Row rows[] = {
        {"lblNewVer", "", "Download", kServer + "/download.php?i=qorl", kRed, true, true, kBlue, Off},
        {"lblSupprt", "Online Support", "Support", kServer + "/support", kRed, false, false, kRed, On},
        {"lblHelp", "Online Help", "Help", kServer + "/help", kRed, false, true, kRed, Kept},
        {"lblBug", "Report Hare", "Bug Report", kServer + "/bug", kRed, false, true, kRed, Kept},
        {"lblLicAgr", kServer, "Tavlo Home", kServer, kRed, true, true, kBlue, Off},
        {"lblFedBk", "Click hare", "Review", kServer + "/feedback.php", kBlue, false, true, kBlue, Kept}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        auto& link = c(r.name);
        EXPECT_EQ(link.caption(), r.caption);
        EXPECT_EQ(link.toolTip(), "Webpage : " + r.tip);
        EXPECT_EQ(link.mousePointer(), 99);
        EXPECT_EQ(link.foreColor(), kBlue);
        EXPECT_TRUE(link.font().underline);
        link.setFontUnderline(false);
        link.mouseMove(0, 0, 30, 30);
        EXPECT_EQ(link.foreColor(), r.hover);
        EXPECT_EQ(link.font().underline, r.hoverUnderline);
        for (bool underlined : {true, false}) {
            sys.shell.opened.clear();
            sys.shell.owners.clear();
            link.setForeColor(kRed);
            link.setFontUnderline(underlined);
            const rt::Twips left = link.left(), top = link.top();
            link.mouseDown(rt::LeftButton, 0, 30, 30);
            EXPECT_EQ(std::pair(link.left(), link.top()), std::pair(left + 10, top + 10));
            const bool pressed = underlined && r.pressKeepsUnderline;
            EXPECT_EQ(link.font().underline, pressed);
            EXPECT_TRUE(sys.shell.opened.empty());
            link.mouseUp(rt::LeftButton, 0, 30, 30);
            EXPECT_EQ(std::pair(link.left(), link.top()), std::pair(left, top));
            EXPECT_EQ(link.foreColor(), r.released);
            EXPECT_EQ(link.font().underline, r.release == Kept ? pressed : r.release == On);
            EXPECT_EQ(sys.shell.opened, std::vector{r.page});
            EXPECT_EQ(sys.shell.owners, std::vector{w.hWnd()});
        }
    }
}

TEST_F(LinksTest, PageAndWindowTakeBackTheHoverLookButNotTheUpdateLinks) {
    for (const char* name : {"lblNewVer", "lblSupprt", "lblHelp", "lblBug", "lblLicAgr"}) c(name).mouseMove(0, 0, 9, 9);
    c("picRegs").mouseMove(0, 0, 10, 10);
    for (const char* name : {"lblSupprt", "lblHelp", "lblBug"}) EXPECT_EQ(c(name).foreColor(), kBlue) << name;
    c("lblLicAgr").mouseMove(0, 0, 9, 9);
    w.mouseMove(0, 0, 10, 10);
    EXPECT_EQ(c("lblLicAgr").foreColor(), kBlue);
    EXPECT_FALSE(c("lblLicAgr").font().underline);
    EXPECT_EQ(c("lblNewVer").foreColor(), kRed);
    c("lblLicAgr").setCaption("http://127.0.0.1:8080/home page.html");
    c("lblLicAgr").mouseUp(rt::LeftButton, 0, 9, 9);
    EXPECT_EQ(sys.shell.opened, std::vector<std::string>{"http://127.0.0.1:8080/home page.html"});
}

// The Help page and the Settings tab where the layout puts them.
TEST_F(LinksTest, GuideArrowStandsOverTheSettingsTabUntilClicked) {
    c("picHelp").move(2760, 2280, 7540, 4075);
    c("picBtnSet").move(3960, 6410, 975, 315);
    c("imgArowD").setVisible(false);
    for (int click = 0; click < 2; ++click) {
        c("lblStp2Cnf_CnfTab").click();
        EXPECT_TRUE(c("imgArowD").visible());
        EXPECT_EQ(std::pair(c("imgArowD").left(), c("imgArowD").top()), std::pair(1515, 3730));
    }
    c("picHelp").move(2760, 2280, 8540, 5075);
    EXPECT_EQ(std::pair(c("imgArowD").left(), c("imgArowD").top()), std::pair(1515, 3730));
    c("imgArowD").click();
    EXPECT_FALSE(c("imgArowD").visible());
}

}  // namespace
}  // namespace tavlo::online::testing
