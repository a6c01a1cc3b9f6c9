#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "CoreFixture.h"

namespace tavlo::core {
namespace {

// The main window with stand-ins for the controls that other areas of it
// add: the row buttons, the help arrow and the About page's links.
class FullFrm0 : public Frm0 {
protected:
    void buildControls() override {
        Frm0::buildControls();
        add({.kind = rt::Kind::Button, .name = "cmdDel", .text = "X", .visible = false});
        add({.kind = rt::Kind::Button, .name = "cmdIgn", .text = "Add", .visible = false});
        add({.kind = rt::Kind::Image, .name = "imgArowD", .container = "picHelp"});
        for (const char* link : {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp", "lblNewVer"})
            add({.kind = rt::Kind::Label, .name = link, .container = "picRegs", .foreColor = 0x0000FF});
    }
};

class BorderlessFrm0 : public Frm0 {
protected:
    rt::FormDesign formDesign() override {
        rt::FormDesign d = Frm0::formDesign();
        d.border = rt::BorderStyle::None;
        return d;
    }
};

const char* const kPages[] = {"picScan", "PicSett", "picHelp", "picRegs"};
const char* const kTabs[] = {"picBtnScn", "picBtnSet", "picBtnUpd", "picBtnAbo"};

struct Frm0PagesTest : tavlo::testing::CoreTest {
    FullFrm0& w = h.app().instance<FullFrm0>();

    void SetUp() override {
        w.show();
        tavlo::testing::stopSplashTimers();
        h.sys.windows.calls.clear();
    }
    rt::Control& c(const std::string& name) { return w.c(name); }
    std::vector<std::string> visiblePages() {
        std::vector<std::string> shown;
        for (const char* page : kPages)
            if (c(page).visible()) shown.push_back(page);
        return shown;
    }
    std::vector<std::string> pressedTabs() {
        std::vector<std::string> pressed;
        for (const char* tab : kTabs) {
            if (c(tab).picture().handle == c("picDown").picture().handle) {
                EXPECT_EQ(c(tab).top(), 6335) << tab;
                EXPECT_EQ(c(tab).height(), 360) << tab;
                pressed.push_back(tab);
            } else {
                EXPECT_EQ(c(tab).picture().handle, c("picNrml").picture().handle) << tab;
                EXPECT_EQ(c(tab).top(), 6410) << tab;
                EXPECT_EQ(c(tab).height(), 315) << tab;
            }
        }
        return pressed;
    }
    bool helpTabPressed() { return c("picBtn0").picture().handle == c("picBtn0pD").picture().handle; }
};

using Names = std::vector<std::string>;

TEST_F(Frm0PagesTest, UntilTheDefaultPageNoPageShowsAndNoTabIsPressed) {
    EXPECT_EQ(w.CurrentPage, "");
    EXPECT_EQ(visiblePages(), Names{});
    EXPECT_EQ(pressedTabs(), Names{});
    EXPECT_FALSE(helpTabPressed());
}

TEST_F(Frm0PagesTest, StartUpTimersLoadTheSettingsAndShowTheHelpPageOnce) {
    h.clock.advance(10);
    EXPECT_EQ(w.CurrentPage, "Help");
    EXPECT_EQ(visiblePages(), Names{"picHelp"});
    EXPECT_EQ(pressedTabs(), Names{});
    EXPECT_TRUE(helpTabPressed());
    EXPECT_EQ(c("picBtn0").left(), 10045);
    EXPECT_EQ(c("picBtn0").top(), 6410);
    EXPECT_EQ(c("picExtBtn").left(), 10045);
    for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) EXPECT_FALSE(w.timer(t).enabled()) << t;
    c("lblBtnScn").click();
    h.clock.advance(1000);
    EXPECT_EQ(w.CurrentPage, "Scan");
}

TEST_F(Frm0PagesTest, ScannerStatusTurnsRedUntilTheSettingsLoadShowsItActive) {
    auto& status = c("lblActvt2");
    h.clock.advance(1);
    EXPECT_TRUE(status.visible());
    EXPECT_EQ(status.foreColor(), 0x0000FFu);
    EXPECT_TRUE(status.font().bold);
    h.clock.advance(9);
    EXPECT_EQ(status.caption(), "Active");
    EXPECT_EQ(status.foreColor(), 0u);
    EXPECT_FALSE(status.font().bold);
}

TEST_F(Frm0PagesTest, EachTabShowsItsPageWithItsTabPressed) {
    c("lblBtnScn").click();
    EXPECT_EQ(visiblePages(), Names{"picScan"});
    EXPECT_EQ(pressedTabs(), Names{"picBtnScn"});
    c("picBtnSet").click();
    EXPECT_EQ(visiblePages(), Names{"PicSett"});
    EXPECT_EQ(pressedTabs(), Names{"picBtnSet"});
    c("lblBtnUpd").click();
    EXPECT_EQ(visiblePages(), Names{"picRegs"});
    EXPECT_EQ(pressedTabs(), (Names{"picBtnUpd", "picBtnAbo"}));
    c("lblBtn0").click();
    EXPECT_EQ(visiblePages(), Names{"picHelp"});
    EXPECT_EQ(pressedTabs(), Names{});
    EXPECT_TRUE(helpTabPressed());
    c("picBtnAbo").click();
    EXPECT_EQ(visiblePages(), Names{"picRegs"});
    EXPECT_EQ(pressedTabs(), (Names{"picBtnUpd", "picBtnAbo"}));
    EXPECT_FALSE(helpTabPressed());
}

TEST_F(Frm0PagesTest, ThePressedTabOfTheShownPageChangesNothing) {
    c("lblBtnScn").click();
    c("cmdDel").setVisible(true);
    c("lblBtnScn").click();
    w.OpenScanPage();
    EXPECT_TRUE(c("cmdDel").visible());
    c("lblBtnAbo").click();
    c("cmdIgn").setVisible(true);
    c("lblBtnUpd").click();
    c("picBtnAbo").click();
    EXPECT_TRUE(c("cmdIgn").visible());
    EXPECT_EQ(visiblePages(), Names{"picRegs"});
}

TEST_F(Frm0PagesTest, HelpTabShowsTheHelpPageAgainAndHidesTheRowButtonsAndArrow) {
    c("lblBtn0").click();
    c("cmdDel").setVisible(true);
    c("imgArowD").setVisible(true);
    c("lblBtn0").click();
    EXPECT_FALSE(c("cmdDel").visible());
    EXPECT_FALSE(c("imgArowD").visible());
    EXPECT_EQ(visiblePages(), Names{"picHelp"});
}

TEST_F(Frm0PagesTest, EveryResizeHidesTheRowButtonsAndKeepsThePage) {
    c("lblBtnScn").click();
    c("cmdDel").setVisible(true);
    c("cmdIgn").setVisible(true);
    w.sizedByUser(12000, 8000);
    EXPECT_FALSE(c("cmdDel").visible());
    EXPECT_FALSE(c("cmdIgn").visible());
    EXPECT_EQ(visiblePages(), Names{"picScan"});
    EXPECT_EQ(c("picBtnScn").top(), 2280 + (8000 - 945 - 2280) - 20);
    EXPECT_EQ(c("picBtn0").left(), 12000 - 250 - 255);
}

TEST_F(Frm0PagesTest, HiddenButtonSwitchesToTheCurrentPage) {
    w.CurrentPage = "Settings";
    c("cmdBtnCls").click();
    EXPECT_EQ(visiblePages(), Names{"PicSett"});
}

TEST_F(Frm0PagesTest, LeftPressOnTheWindowStartsTheSystemMoveLoop) {
    w.mouseDown(rt::RightButton, 0, 100, 100);
    c("picDlg").mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    w.mouseDown(rt::LeftButton, 0, 100, 100);
    EXPECT_EQ(h.sys.windows.calls, (Names{"ReleaseCapture", "SendMessage 0 161 2 0"}));
    EXPECT_EQ(w.mousePointer(), rt::PointerArrow);
    c("picDlg").mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls.size(), 4u);
}

TEST_F(Frm0PagesTest, ExitButtonHidesTheWindowWhichComesBackWithItsPage) {
    c("lblBtnSet").click();
    c("cmdExit").click();
    EXPECT_FALSE(w.visible());
    EXPECT_TRUE(w.loaded());
    w.show();
    EXPECT_EQ(visiblePages(), Names{"PicSett"});
}

TEST_F(Frm0PagesTest, TitleLabelOpensTheSplashAsTheInfoBox) {
    c("Label3").click();
    EXPECT_EQ(frmSplash().c("lblSplsInfo").caption(), "Info");
    ASSERT_FALSE(h.ui.dialogs.empty());
    EXPECT_EQ(h.ui.dialogs.back().kind, "modal");
    EXPECT_EQ(h.ui.dialogs.back().prompt, "frmSplash");
}

TEST_F(Frm0PagesTest, MovingOverTheAboutPageTurnsItsLinksBlueAgain) {
    c("picRegs").mouseMove(0, 0, 50, 50);
    for (const char* link : {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp"})
        EXPECT_EQ(c(link).foreColor(), 0xFF0000u) << link;
    EXPECT_EQ(c("lblNewVer").foreColor(), 0x0000FFu);
}

TEST_F(Frm0PagesTest, GripInTheBorderedWindowStopsAtTheLayoutMinimum) {
    auto& grip = c("picResiz");
    grip.mouseMove(1, 0, 500, 500);
    EXPECT_EQ(w.width(), 10550);
    grip.mouseDown(1, 0, 0, 0);
    grip.mouseMove(1, 0, 900, 600);
    EXPECT_EQ(w.width(), 11450);
    EXPECT_EQ(w.height(), 7900);
    EXPECT_EQ(grip.left(), 11450 - 255);
    grip.mouseMove(1, 0, -5000, -5000);
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(w.height(), 7140);
    grip.mouseUp(1, 0, 0, 0);
    grip.mouseMove(1, 0, 900, 600);
    EXPECT_EQ(w.width(), 10550);
}

using Frm0BorderlessGripTest = tavlo::testing::CoreTest;

TEST_F(Frm0BorderlessGripTest, DraggingTowardsTheCornerStopsAt10550By6840) {
    auto& w = h.app().instance<BorderlessFrm0>();
    w.show();
    tavlo::testing::stopSplashTimers();
    auto& grip = w.c("picResiz");
    grip.mouseDown(1, 0, 0, 0);
    grip.mouseMove(1, 0, 2000, 2000);
    grip.mouseMove(1, 0, -9000, -9000);
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(w.height(), 6840);
    EXPECT_EQ(grip.left(), 10550 - 255);
    EXPECT_EQ(grip.top(), 6840 - 255);
}

}  // namespace
}  // namespace tavlo::core
