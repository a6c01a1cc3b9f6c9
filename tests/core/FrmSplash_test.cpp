// The start-up: the splash's load, decoration and timeline, the Info box,
// and the configuration load against a real settings database.
#include <gtest/gtest.h>

#include <array>

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "watch/Frm1.h"

namespace tavlo::core {
namespace {

using tavlo::testing::Row;
using Names = std::vector<std::string>;

const std::string kFullDesktop = EncodeValue("Full Desktop", kCipherKey);

struct SplashTest : tavlo::testing::CoreTest {
    FrmSplash& s = frmSplash();
    SplashTest() { h.app().version = {1, 4, 0}; }
    void ticks(int n) { h.clock.advance(40LL * n); }
    Row marker(const char* value) { return {std::nullopt, "conf_Info_clctd", value}; }
    // The user clicks the main window's title; the Info box stays up for
    // `open` ticks of the splash, then is clicked away.
    void infoBox(int open) {
        h.ui.onModal = [&, open](rt::Form& f) {
            ticks(open);
            f.click();
        };
        frm0().c("Label3").click();
        h.ui.onModal = nullptr;
    }
};

TEST_F(SplashTest, LoadThenDecorationGiveTheirGeometry) {
    s.show();
    EXPECT_EQ(CipherKey(), "KRt5m81,VolantesBpZ");
    EXPECT_EQ(s.c("lblVersion").caption(), "1.4.0");
    EXPECT_EQ(h.sys.windows.calls, Names{"SetWindowPos 0 -1 3"});
    struct Box { const char* name; rt::Twips left, top, width, height; };
    const Box atLoad[] = {{"", 0, 0, 6375, 4425}, {"txtConf", 6475, 3120, 495, 285}, {"ImgDvdr", 382, 4160, 5610, 15},
                          {"imgPBrdr", 367, 4145, 5640, 45}};
    const Box decorated[] = {{"", 0, 0, 6345, 4185}, {"ImgDvdr", 382, 3840, 5610, 15},
                             {"imgPBrdr", 367, 3825, 5640, 45}, {"lblOrngBk", 0, 3870, 5300, 315},
                             {"lblBklBk", 5300, 3870, 6345, 315}, {"lblGrnBk", 0, 0, 6345, 1680},
                             {"lblmsgBk", 0, 1680, 6345, 420}};
    auto check = [&](const Box& b) {
        rt::Control* c = *b.name ? &s.c(b.name) : nullptr;
        EXPECT_EQ(c ? c->left() : 0, b.left) << b.name;
        EXPECT_EQ(c ? c->top() : 0, b.top) << b.name;
        EXPECT_EQ(c ? c->width() : s.width(), b.width) << b.name;
        EXPECT_EQ(c ? c->height() : s.height(), b.height) << b.name;
    };
    for (const Box& b : atLoad) check(b);
    ticks(1);
    for (const Box& b : decorated) check(b);
    const std::pair<const char*, std::array<rt::Twips, 4>> lines[] = {{"lineTop", {0, 0, 6345, 5}},
        {"LineLeft", {5, 0, 0, 4185}}, {"lineBottom", {0, 4170, 6345, 4170}}, {"lineRight", {6335, 0, 6335, 4185}}};
    for (auto& [name, at] : lines) {
        auto& l = s.c(name);
        EXPECT_EQ((std::array<rt::Twips, 4>{l.x1(), l.y1(), l.x2(), l.y2()}), at) << name;
    }
    EXPECT_FALSE(s.c("lblGrnBk").visible());
    EXPECT_EQ(s.c("lblMsg").caption(), "");
    for (const char* t : {"tmrDcrtn", "tmrconfig"}) EXPECT_FALSE(s.timer(t).enabled()) << t;
}

TEST_F(SplashTest, StripCyclesShowsTheMainWindowAtTick15AndHandsOverAt50) {
    s.show();
    Names strip;
    for (int i = 0; i < 4; ++i) {
        ticks(1);
        for (const char* image : {"Image1", "Image2", "Image3"})
            if (s.c("ImgDvdr").picture() == s.c(image).picture()) strip.push_back(image);
    }
    EXPECT_EQ(strip, (Names{"Image1", "Image2", "Image3", "Image1"}));
    ticks(10);
    EXPECT_FALSE(frm0().loaded());
    ticks(1);
    EXPECT_TRUE(frm0().visible());
    frm0().hide();
    ticks(34);
    EXPECT_TRUE(s.visible());
    EXPECT_FALSE(watch::frm1().loaded());
    ticks(1);
    EXPECT_TRUE(watch::frm1().visible());
    EXPECT_FALSE(s.visible());
    EXPECT_TRUE(s.loaded());
    EXPECT_FALSE(s.timer("tmrShw").enabled());
    EXPECT_FALSE(frm0().visible());
    // Loaded again, it hands over at its first tick and leaves the main window.
    s.unload();
    watch::frm1().hide();
    s.show();
    ticks(1);
    EXPECT_FALSE(s.visible());
    EXPECT_TRUE(watch::frm1().visible());
    EXPECT_FALSE(frm0().visible());
}

// Whenever the Info box opens during the start-up, the tray form still comes.
TEST_F(SplashTest, InfoBoxOpenedBeforeTheHandOverStillLetsTheTrayFormCome) {
    for (int open : {10, 40}) {
        SCOPED_TRACE(open);
        platform::fake::HeadlessApp app;
        app.sys.env = h.sys.env;
        app.sys.files.addFile(systemFile("pso.dat"));
        frmSplash().show();
        app.clock.advance(40 * 20);
        app.ui.onModal = [&, open](rt::Form& f) {
            app.clock.advance(40LL * open);
            EXPECT_TRUE(f.visible());
            EXPECT_FALSE(watch::frm1().loaded());
            f.click();
        };
        frm0().c("Label3").click();
        EXPECT_FALSE(frmSplash().loaded());
        EXPECT_TRUE(watch::frm1().visible());
    }
}

TEST_F(SplashTest, OnlyTheInfoBoxClosesOnAClickAKeyOrAStillPress) {
    s.show();
    h.sys.windows.calls.clear();
    s.mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    s.mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Names{"ReleaseCapture", "SendMessage 0 161 2 0"}));
    EXPECT_EQ(s.mousePointer(), rt::PointerArrow);
    s.click();
    s.keyPress(13);
    EXPECT_TRUE(s.loaded());
    ticks(50);
    infoBox(80);
    EXPECT_FALSE(s.loaded());
    EXPECT_EQ(h.ui.dialogs.back().kind, "modal");
    h.ui.onModal = [](rt::Form& f) { f.keyPress('a'); };
    frm0().ShowInfoBox();
    EXPECT_FALSE(s.loaded());
    h.ui.onModal = [](rt::Form& f) { f.mouseDown(rt::LeftButton, 0, 10, 10); };
    frm0().ShowInfoBox();
    EXPECT_FALSE(s.loaded());
}

TEST_F(SplashTest, InfoBoxAfterTheHandOverIsTheSameWindowAndTheTrayStaysAlone) {
    s.show();
    ticks(50);
    watch::frm1().hide();
    infoBox(1);
    EXPECT_FALSE(watch::frm1().visible());
    EXPECT_EQ(s.SplashTickCount, 50);
    s.c("lblSplsInfo").setCaption("Info");
    s.show();
    s.SplashTickCount = 32766;
    ticks(3);
    EXPECT_EQ(s.SplashTickCount, 32767);
    EXPECT_TRUE(s.visible());
}

TEST_F(SplashTest, FirstRunSeedsTheFullDesktopAlertAndAPlainMarkerOnce) {
    s.show();
    h.clock.advance(10);
    const std::vector<Row> seeded = {{"zxxis", "wpop", kFullDesktop}, marker("clctd_4m_ini")};
    EXPECT_EQ(confRows(), seeded);
    EXPECT_EQ(s.ConfigurationLoaded, rt::True);
    s.unload();
    s.show();
    h.clock.advance(10);
    EXPECT_EQ(confRows(), seeded);
    EXPECT_TRUE(h.ui.dialogs.empty());
}

TEST_F(SplashTest, AnyMarkerRowCountsAsSeeded) {
    for (const char* value : {"ok", "collected"}) {
        run("pso.dat", "DELETE FROM [conf]");
        run("pso.dat", std::string("INSERT INTO [conf] ([Key],[Value]) VALUES ('conf_Info_clctd','") + value + "')");
        s.ConfigurationLoaded = rt::False;
        s.show();
        h.clock.advance(10);
        EXPECT_EQ(confRows(), std::vector<Row>{marker(value)});
        EXPECT_EQ(s.ConfigurationLoaded, rt::True);
        s.unload();
    }
}

// While a message is up, timers keep firing: the start-up waits for it.
TEST_F(SplashTest, MissingSettingsDatabaseShowsTwoMessagesAndEndsTheProgram) {
    h.sys.files.remove(systemFile("pso.dat"));
    h.ui.onMsgBox = [this](const rt::DialogRecord&) { h.clock.advance(3000); };
    s.show();
    EXPECT_THROW(h.clock.advance(10), platform::fake::ProgramEnded);
    h.ui.onMsgBox = nullptr;
    EXPECT_EQ(h.ui.prompts(), (Names{"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"}));
    EXPECT_FALSE(frm0().loaded());
}

TEST_F(SplashTest, AbandonedConfigurationLoadWarnsWhenTheSplashUnloads) {
    run("pso.dat", "DROP TABLE [conf]");
    run("pso.dat", "CREATE TABLE [conf] ([Key] TEXT)");
    h.ui.answers = {rt::Abort};
    s.show();
    h.clock.advance(10);
    EXPECT_EQ(s.ConfigurationLoaded, rt::False);
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    s.unload();
    ASSERT_EQ(h.ui.dialogs.size(), 2u);
    EXPECT_EQ(h.ui.dialogs[1].prompt, "Confirutation Error...");
    EXPECT_EQ(h.ui.dialogs[1].style, 0);
    EXPECT_EQ(h.ui.dialogs[1].title, "Tavlo");
}

}  // namespace
}  // namespace tavlo::core
