// The start-up: the splash's load, decoration and timeline, the Info box,
// and the configuration load against a real settings database.
#include <gtest/gtest.h>

#include <tuple>

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "watch/Frm1.h"

namespace tavlo::core {
namespace {

using tavlo::testing::Names;
using tavlo::testing::Row;

struct SplashTest : tavlo::testing::CoreTest {
    FrmSplash& s = frmSplash();
    SplashTest() { h.app().version = {1, 4, 0}; }
    void ticks(int n) { h.clock.advance(40LL * n); }
    // The windows showing: S the splash, M the main window, T the tray form.
    std::string shown() {
        return std::string(frmSplash().loaded() && frmSplash().visible() ? "S" : "") +
               (frm0().loaded() && frm0().visible() ? "M" : "") +
               (watch::frm1().loaded() && watch::frm1().visible() ? "T" : "");
    }
};

TEST_F(SplashTest, LoadThenDecorationGiveTheirGeometry) {
    s.show();
    EXPECT_EQ((std::tuple{CipherKey(), s.c("lblVersion").caption()}), (std::tuple{"KRt5m81,VolantesBpZ", "1.4.0"}));
    EXPECT_EQ(h.sys.windows.calls, Names{"SetWindowPos 0 -1 3"});
    const rt::FormDesign& d = s.design();  // no frame, title bar or taskbar button
    EXPECT_EQ((std::tuple{d.border, d.titleBar, d.controlBox, d.showInTaskbar}),
              (std::tuple{rt::BorderStyle::None, false, false, false}));
    EXPECT_EQ(tavlo::testing::boxes(s, {"txtConf", "ImgDvdr", "imgPBrdr"}),
              "6375x4425 6475,3120,495,285 382,4160,5610,15 367,4145,5640,45");
    ticks(1);
    EXPECT_EQ(tavlo::testing::boxes(s, {"ImgDvdr", "imgPBrdr", "lblOrngBk", "lblBklBk", "lblGrnBk", "lblmsgBk"}),
              "6345x4185 382,3840,5610,15 367,3825,5640,45 0,3870,5300,315 5300,3870,6345,315 0,0,6345,1680 "
              "0,1680,6345,420");
    std::string lines;
    for (const char* n : {"lineTop", "LineLeft", "lineBottom", "lineRight"})
        for (rt::Twips v : {s.c(n).x1(), s.c(n).y1(), s.c(n).x2(), s.c(n).y2()}) lines += std::to_string(v) + " ";
    EXPECT_EQ(lines, "0 0 6345 5 5 0 0 4185 0 4170 6345 4170 6335 0 6335 4185 ");
    for (const char* hidden : {"lblGrnBk", "lblMsg", "lblSplsInfo", "Image1", "Image2", "Image3"})
        EXPECT_FALSE(s.c(hidden).visible()) << hidden;
    EXPECT_EQ((std::tuple{s.c("lblMsg").caption(), s.timer("tmrDcrtn").enabled(), s.timer("tmrconfig").enabled()}),
              (std::tuple{"", false, false}));
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
    const std::pair<int, const char*> timeline[] = {{10, "S"}, {1, "SM"}, {0, "S"}, {34, "S"},
                                                    {1, "T"},  {0, "S"},  {1, "T"}};
    for (auto [n, windows] : timeline) {
        if (n == 0) {  // the user hides the main window; then the splash is unloaded and loaded again
            frm0().hide();
            if (!s.visible()) s.unload(), watch::frm1().hide(), s.show();
        }
        ticks(n);
        EXPECT_EQ(shown(), windows) << s.SplashTickCount;
    }
    EXPECT_EQ((std::tuple{s.loaded(), s.timer("tmrShw").enabled()}), (std::tuple{true, false}));
}

// The splash itself drags the window and ignores clicks and keys; its tick count stops at 32767.
TEST_F(SplashTest, SplashDragsAndItsTickCountStopsAtItsLimit) {
    s.show();
    h.sys.windows.calls.clear();
    for (int button : {rt::RightButton, rt::LeftButton}) s.mouseDown(button, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Names{"ReleaseCapture", "SendMessage 0 161 2 0"}));
    EXPECT_EQ(s.mousePointer(), rt::PointerArrow);
    s.click();
    s.keyPress(13);
    ticks(50);
    EXPECT_EQ(shown(), "MT");
    s.unload();
    s.c("lblSplsInfo").setCaption("Info");
    s.show();
    s.SplashTickCount = 32766;
    ticks(3);
    EXPECT_EQ(s.SplashTickCount, 32767);
    EXPECT_EQ(shown(), "SMT");
}

// Whenever the Info box opens, it closes on a click, a key or a press, and the tray form comes once.
TEST_F(SplashTest, InfoBoxClosesOnAClickAKeyOrAPressAndTheTrayFormStillComes) {
    const std::tuple<int, int, char, const char*> cases[] = {
        {20, 10, 'c', "MT"}, {20, 40, 'c', "MT"}, {50, 80, 'c', "M"}, {50, 0, 'k', "M"}, {50, 0, 'p', "M"}};
    for (auto [before, open, close, after] : cases) {
        platform::fake::HeadlessApp app;
        app.sys.env = h.sys.env;
        app.sys.files.addFile(systemFile("pso.dat"));
        frmSplash().show();
        app.clock.advance(40 * before);
        if (before == 50) watch::frm1().hide();
        app.ui.onModal = [&](rt::Form& f) {
            app.clock.advance(40 * open);
            if (before < 50) {
                EXPECT_EQ(shown(), "SM") << open;
            }
            if (close == 'c') f.click();
            if (close == 'k') f.keyPress('a');
            if (close == 'p') f.mouseDown(rt::LeftButton, 0, 10, 10);
        };
        frm0().c("Label3").click();
        EXPECT_EQ((std::tuple{app.ui.dialogs.back().kind, shown()}), (std::tuple{"modal", after})) << before << close;
    }
}

// The first run seeds the full-desktop alert and a plain marker; any marker row ends the first run.
TEST_F(SplashTest, FirstRunSeedsTheSettingsOnce) {
    const Row seeded = {"zxxis", "wpop", EncodeValue("Full Desktop", kCipherKey)};
    for (const char* before : {"", "", "ok", "collected"}) {
        const Row marker = {std::nullopt, "conf_Info_clctd", *before ? before : "clctd_4m_ini"};
        if (*before) run("pso.dat", "DELETE FROM [conf]");
        if (*before) run("pso.dat", "INSERT INTO [conf] VALUES (NULL, 'conf_Info_clctd', '" + marker[2].value() + "')");
        s.ConfigurationLoaded = rt::False;
        s.show();
        h.clock.advance(10);
        EXPECT_EQ(confRows(), (*before ? std::vector<Row>{marker} : std::vector<Row>{seeded, marker}));
        EXPECT_EQ(s.ConfigurationLoaded, rt::True);
        s.unload();
    }
    EXPECT_TRUE(h.ui.dialogs.empty());
}

TEST_F(SplashTest, AbandonedConfigurationLoadWarnsWhenTheSplashUnloads) {
    run("pso.dat", "DROP TABLE [conf]");
    run("pso.dat", "CREATE TABLE [conf] ([Key] TEXT)");
    h.ui.answers = {rt::Abort};
    s.show();
    h.clock.advance(10);
    s.unload();
    EXPECT_EQ((std::tuple{h.ui.dialogs.size(), h.ui.dialogs.back().prompt, h.ui.dialogs.back().style}),
              (std::tuple{2u, "Confirutation Error...", 0}));
}

}  // namespace
}  // namespace tavlo::core
