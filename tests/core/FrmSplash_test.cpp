#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Frm0.h"
#include "core/Store.h"
#include "watch/Frm1.h"

namespace tavlo::core {
namespace {

using Names = std::vector<std::string>;

// The splash's timeline and modes, on an empty settings database.
struct FrmSplashTest : tavlo::testing::CoreTest {
    FrmSplash& s = frmSplash();

    void SetUp() override {
        h.app().version = {1, 4, 0};
        s.show();
    }
    void ticks(int n) { h.clock.advance(40LL * n); }
};

TEST_F(FrmSplashTest, LoadSizesTheWindowStoresTheKeyShowsTheVersionAndStaysOnTop) {
    EXPECT_EQ(s.width(), 6375);
    EXPECT_EQ(s.height(), 4425);
    EXPECT_EQ(CipherKey(), "KRt5m81,VolantesBpZ");
    EXPECT_EQ(s.c("lblVersion").caption(), "1.4.0");
    EXPECT_EQ(s.c("lblMsg").caption(), "");
    EXPECT_EQ(h.sys.windows.calls, Names{"SetWindowPos 0 -1 3"});
    EXPECT_EQ(s.c("txtConf").left(), 6375 + 100);
    EXPECT_EQ(s.SplashImagePhase, 1);
    EXPECT_EQ(s.c("ImgDvdr").left(), 6375 / 2 - 5610 / 2);
    EXPECT_EQ(s.c("imgPBrdr").top(), s.c("ImgDvdr").top() - 15);
    EXPECT_EQ(s.c("imgPBrdr").height(), 45);
}

TEST_F(FrmSplashTest, DecorationTakesTheFinalSizeOnce) {
    h.clock.advance(10);
    EXPECT_EQ(s.width(), 6345);
    EXPECT_EQ(s.height(), 4185);
    auto& strip = s.c("ImgDvdr");
    EXPECT_EQ(strip.top(), 3840);
    EXPECT_EQ(s.c("lblOrngBk").top(), 3870);
    EXPECT_EQ(s.c("lblOrngBk").width(), 5300);
    EXPECT_EQ(s.c("lblBklBk").left(), 5300);
    EXPECT_EQ(s.c("lblBklBk").width(), 6345);
    EXPECT_EQ(s.c("lblGrnBk").height(), 1680);
    EXPECT_FALSE(s.c("lblGrnBk").visible());
    EXPECT_EQ(s.c("lblmsgBk").width(), 6345);
    auto& bottom = s.c("lineBottom");
    EXPECT_EQ(bottom.y1(), 4170);
    EXPECT_EQ(bottom.x2(), 6345);
    EXPECT_EQ(s.c("lineRight").x1(), 6335);
    EXPECT_FALSE(s.timer("tmrDcrtn").enabled());
    ticks(1);
    EXPECT_EQ(s.c("imgPBrdr").top(), 3825);
}

TEST_F(FrmSplashTest, StripCyclesThroughItsThreePictures) {
    Names shown;
    for (int i = 0; i < 4; ++i) {
        ticks(1);
        shown.push_back(s.c("ImgDvdr").picture() == s.c("Image1").picture()   ? "1"
                        : s.c("ImgDvdr").picture() == s.c("Image2").picture() ? "2"
                        : s.c("ImgDvdr").picture() == s.c("Image3").picture() ? "3"
                                                                               : "?");
    }
    EXPECT_EQ(shown, (Names{"1", "2", "3", "1"}));
}

TEST_F(FrmSplashTest, Tick15ShowsTheMainWindowAndTick50HandsOverToTheTray) {
    ticks(14);
    EXPECT_FALSE(frm0().loaded());
    ticks(1);
    EXPECT_TRUE(frm0().visible());
    frm0().hide();
    ticks(34);
    EXPECT_TRUE(s.visible());
    EXPECT_FALSE(watch::frm1().visible());
    EXPECT_FALSE(frm0().visible());
    ticks(1);
    EXPECT_EQ(s.SplashTickCount, 50);
    EXPECT_TRUE(watch::frm1().visible());
    EXPECT_FALSE(s.visible());
    EXPECT_TRUE(s.loaded());
    EXPECT_FALSE(s.timer("tmrShw").enabled());
    EXPECT_FALSE(frm0().visible());
}

TEST_F(FrmSplashTest, InfoModeIsNeverHiddenAndClosesOnAClickOrAKey) {
    s.click();
    s.keyPress(13);
    EXPECT_TRUE(s.loaded());
    s.c("lblSplsInfo").setCaption("Info");
    ticks(80);
    EXPECT_TRUE(s.visible());
    EXPECT_FALSE(watch::frm1().loaded());
    s.click();
    EXPECT_FALSE(s.loaded());
    s.c("lblSplsInfo").setCaption("Info");
    s.show();
    s.keyPress('a');
    EXPECT_FALSE(s.loaded());
    // The system's move loop takes the release of a press: a press that
    // leaves the window where it was is the click.
    s.c("lblSplsInfo").setCaption("Info");
    s.show();
    s.mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_FALSE(s.loaded());
    s.click();
    EXPECT_FALSE(s.loaded());
}

TEST_F(FrmSplashTest, InfoBoxAfterTheHandOverShowsTheSameWindowWithoutReloading) {
    ticks(50);
    frm0().c("Label3").click();
    EXPECT_EQ(s.width(), 6345);
    EXPECT_EQ(s.c("lblSplsInfo").caption(), "Info");
    EXPECT_EQ(h.ui.dialogs.back().kind, "modal");
}

TEST_F(FrmSplashTest, ReloadedSplashHandsOverAtOnceAndNeverShowsTheMainWindowAgain) {
    ticks(50);
    frm0().hide();
    s.unload();
    s.show();
    EXPECT_EQ(s.width(), 6375);
    ticks(1);
    EXPECT_FALSE(s.visible());
    EXPECT_FALSE(frm0().visible());
}

TEST_F(FrmSplashTest, TickCountStopsAtItsLargestValueInALongInfoBox) {
    s.c("lblSplsInfo").setCaption("Info");
    s.SplashTickCount = 32766;
    ticks(3);
    EXPECT_EQ(s.SplashTickCount, 32767);
    EXPECT_TRUE(s.visible());
}

TEST_F(FrmSplashTest, LeftPressOnTheSplashStartsTheSystemMoveLoop) {
    h.sys.windows.calls.clear();
    s.mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    s.mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Names{"ReleaseCapture", "SendMessage 0 161 2 0"}));
    EXPECT_EQ(s.mousePointer(), rt::PointerArrow);
}

TEST_F(FrmSplashTest, UnloadBeforeTheConfigurationLoadedWarns) {
    h.clock.advance(10);
    s.unload();
    EXPECT_TRUE(h.ui.dialogs.empty());
    s.load();
    s.ConfigurationLoaded = rt::False;
    s.unload();
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    EXPECT_EQ(h.ui.dialogs[0].prompt, "Confirutation Error...");
    EXPECT_EQ(h.ui.dialogs[0].style, 0);
    EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
}

}  // namespace
}  // namespace tavlo::core
