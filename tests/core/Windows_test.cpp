// The start-up windows: the splash, its Info box and the configuration load; the main window's
// layout, pages and chrome, its Settings page and settings load, and the Run value.
#include <gtest/gtest.h>

#include <array>

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/ZStrtup.h"
#include "watch/Frm1.h"

namespace tavlo::core {
namespace {

using Box = std::array<rt::Twips, 4>;
using tavlo::testing::boxes;
using tavlo::testing::Names;
using tavlo::testing::Row;

// The windows showing: S the splash, M the main window, T the tray form.
std::string shown() {
    return std::string(frmSplash().loaded() && frmSplash().visible() ? "S" : "") +
           (frm0().loaded() && frm0().visible() ? "M" : "") +
           (watch::frm1().loaded() && watch::frm1().visible() ? "T" : "");
}

struct SplashTest : tavlo::testing::CoreTest {
    FrmSplash& s = frmSplash();
    void ticks(int n) { h.clock.advance(40LL * n); }
};

struct MainTest : tavlo::testing::CoreTest {
    Frm0& w = frm0();
    MainTest() {
        w.show();
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) frmSplash().timer(t).setEnabled(false);
    }
    rt::Control& c(const std::string& name) { return w.c(name); }
    void reload() {
        w.unload();
        w.show();
    }
    // The page shown, the page tabs pressed (checking their place), and "?" when the "?" tab is.
    std::string pages() {
        std::string out;
        for (const char* page : {"picScan", "PicSett", "picHelp", "picRegs"})
            if (c(page).visible()) out += page;
        for (const char* tab : {"picBtnScn", "picBtnSet", "picBtnUpd", "picBtnAbo"}) {
            const bool down = c(tab).picture() == c("picDown").picture();
            EXPECT_EQ((Box{c(tab).top(), c(tab).height()}), (Box{down ? 6335 : 6410, down ? 360 : 315})) << tab;
            if (down) out += std::string(" ") + tab;
        }
        return out + (c("picBtn0").picture() == c("picBtn0pD").picture() ? " ?" : "");
    }
    Row wpop(const std::string& plain) { return {"zxxis", "wpop", EncodeValue(plain, kCipherKey)}; }
    Box alertStyle() { return {c("chkPrmtPop").value(), c("chkPrmtDsk").value(), globals().NotifyFullDesktop}; }
};

// Load and decoration give the splash its geometry; the strip cycles; the main window comes at
// tick 15 and the tray form takes over at 50.
TEST_F(SplashTest, LoadDecorationStripAndHandOvers) {
    s.show();
    const rt::FormDesign& d = s.design();  // topmost, without a frame, title bar or taskbar button
    EXPECT_EQ((std::tuple{CipherKey(), s.c("lblVersion").caption(), h.sys.windows.calls, d.border, d.titleBar,
                          d.controlBox, d.showInTaskbar}),
              (std::tuple{"KRt5m81,VolantesBpZ", "1.4.0", Names{"SetWindowPos 0 -1 3"}, rt::BorderStyle::None, false,
                          false, false}));
    EXPECT_EQ(boxes(s, {"txtConf", "ImgDvdr", "imgPBrdr"}),
              "6375x4425 6475,3120,495,285 382,4160,5610,15 367,4145,5640,45");
    s.click();  // the splash drags the window with the left button and ignores clicks and keys
    s.keyPress(13);
    h.sys.windows.calls.clear();
    for (int button : {rt::RightButton, rt::LeftButton}) s.mouseDown(button, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Names{"ReleaseCapture", "SendMessage 0 161 2 0"}));
    ticks(1);
    EXPECT_EQ(boxes(s, {"ImgDvdr", "imgPBrdr", "lblOrngBk", "lblBklBk", "lblGrnBk", "lblmsgBk"}),
              "6345x4185 382,3840,5610,15 367,3825,5640,45 0,3870,5300,315 5300,3870,6345,315 0,0,6345,1680 "
              "0,1680,6345,420");
    for (const char* hidden : {"lblGrnBk", "lblMsg", "lblSplsInfo", "Image1", "Image2", "Image3"})
        EXPECT_FALSE(s.c(hidden).visible()) << hidden;
    EXPECT_EQ((std::tuple{s.c("lblMsg").caption(), s.timer("tmrDcrtn").enabled(), s.timer("tmrconfig").enabled()}),
              (std::tuple{"", false, false}));
    Names strip;
    for (int i = 0; i < 4; ++i) {  // from tick 1 to tick 4
        if (i > 0) ticks(1);
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
            EXPECT_TRUE(before == 50 || shown() == "SM") << open;
            close == 'c' ? f.click() : close == 'k' ? (void)f.keyPress('a') : f.mouseDown(rt::LeftButton, 0, 10, 10);
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
}

TEST_F(MainTest, LoadSizesCentresAndLaysOutTheWindow) {
    EXPECT_EQ((Box{w.left(), w.top()}), (Box{2405, 1930}));
    EXPECT_EQ(boxes(w, {"picScan", "MsfInfectd", "lblScaning", "cmdIgnrLst", "cmdDeltAll", "picResiz", "picDlg",
                        "picBtn0", "picBtnAbo"}),
              "10550x7300 2760,2280,7540,4075 100,360,7330,3415 120,3800,7330,195 4750,3810,1095,240 "
              "6145,3810,1095,240 10295,7045,255,255 2755,1843,5040,3615 10045,6410,255,315 7920,6410,975,315");
    auto& g = w.grid("MsfInfectd");
    Names cells = {std::to_string(g.rows()), std::to_string(g.fixedRows()), std::to_string(g.cols())};
    for (int col = 0; col < 7; ++col) cells.push_back(std::to_string(g.colWidth(col)));
    for (int col = 0; col < 3; ++col) cells.push_back(g.textMatrix(0, col));
    EXPECT_EQ(cells, (Names{"1", "1", "7", "0", "4780", "1000", "600", "700", "0", "0", "", "Object", "Criticality"}));
    Names enabled;  // on the Settings page, where only the alert style changes
    for (auto& control : w.controls())
        if (control->containerName() == "PicSett" && control->enabled() && control->visible())
            enabled.push_back(control->name());
    EXPECT_EQ(enabled, (Names{"chkPrmtPop", "Label26", "chkPrmtDsk", "Label27"}));
    for (const char* hidden : {"picBk", "picNrml", "picDown", "picBtn0pD", "picDlg", "cmdBtnCls", "lblScaning"})
        EXPECT_FALSE(c(hidden).visible()) << hidden;
    EXPECT_EQ((Names{c("lblBtn0").caption(), c("lblVersion").caption(), w.FieldErrorColor, w.FieldNormalColor}),
              (Names{"?", "1.4.0", "255", "14737632"}));
    EXPECT_TRUE(!w.icon().empty() && w.icon() == frmSplash().icon());
    for (const char* label : {"lblScaning", "Label3", "lblBtnScn", "lblActvt2"}) EXPECT_TRUE(c(label).transparent());
    EXPECT_EQ(pages(), "");
}

// The frame around the grid takes the grid's height from before the pass.
TEST_F(MainTest, ResizingKeepsTheMinimumAndMovesOnlyTheGrowingParts) {
    const std::tuple<rt::Twips, rt::Twips, const char*, rt::Twips> cases[] = {
        {8000, 5000,
         "10550x7140 2760,2280,7540,3915 100,360,7330,3255 90,350,7360,3445 120,3640,7330,195 6145,3650,1095,240 "
         "4750,3650,1095,240",
         4780},
        {11550, 7300,
         "11550x7300 2760,2280,8540,4075 100,360,8330,3415 90,350,8360,3285 120,3800,8330,195 7145,3810,1095,240 "
         "5750,3810,1095,240",
         5780}};
    for (auto& [width, height, laidOut, column1] : cases) {
        w.sizedByUser(width, height);
        EXPECT_EQ(boxes(w, {"picHelp", "MsfInfectd", "lblBorder", "lblScaning", "cmdDeltAll", "cmdIgnrLst"}), laidOut);
        EXPECT_EQ(w.grid("MsfInfectd").colWidth(1), column1);
    }
}

TEST_F(MainTest, TabsShowTheirPagesAndThePressedTabChangesNothing) {
    const std::pair<const char*, const char*> steps[] = {
        {"lblBtnScn", "picScan picBtnScn"},           {"picBtnSet", "PicSett picBtnSet"},
        {"lblBtnUpd", "picRegs picBtnUpd picBtnAbo"}, {"lblBtn0", "picHelp ?"},
        {"picBtnAbo", "picRegs picBtnUpd picBtnAbo"}, {"lblBtnSet", "PicSett picBtnSet"},
        {"picBtnScn", "picScan picBtnScn"},           {"lblBtnAbo", "picRegs picBtnUpd picBtnAbo"},
        {"picBtnUpd", "picRegs picBtnUpd picBtnAbo"}};
    for (auto [tab, shown] : steps) {
        c(tab).click();
        EXPECT_EQ(pages(), shown) << tab;
        for (const char* rowButton : {"cmdDel", "cmdIgn"}) c(rowButton).setVisible(true);
        c(tab).click();
        const bool kept = std::string(tab) != "lblBtn0";
        EXPECT_EQ((std::pair{c("cmdDel").visible(), c("cmdIgn").visible()}), (std::pair{kept, kept})) << tab;
    }
    w.CurrentPage = "Settings";
    c("cmdBtnCls").click();
    c("cmdExit").click();
    EXPECT_FALSE(w.visible());
    w.show();
    EXPECT_EQ(pages(), "PicSett picBtnSet");
    w.sizedByUser(12000, 8000);  // the tabs follow the pages' bottom edge
    EXPECT_EQ((Box{c("picBtnSet").top(), c("picBtnScn").top(), c("picBtn0").left(), c("picExtBtn").left()}),
              (Box{7035, 7110, 11495, 11495}));
}

// The window and its panel drag with the left button, the grip resizes it (not below its minimum)
// while pressed, and a new load starts afresh.
TEST_F(MainTest, ChromeDragsResizesAndEveryLoadStartsAfresh) {
    h.sys.windows.calls.clear();
    for (int button : {rt::RightButton, rt::LeftButton}) c("picDlg").mouseDown(button, 0, 1, 1);
    w.mouseDown(rt::LeftButton, 0, 100, 100);
    EXPECT_EQ(h.sys.windows.calls,
              (Names{"ReleaseCapture", "SendMessage 0 161 2 0", "ReleaseCapture", "SendMessage 0 161 2 0"}));
    auto& grip = c("picResiz");
    grip.mouseDown(2, 0, 0, 0);
    grip.mouseMove(1, 0, 900, 600);
    EXPECT_EQ(boxes(w, {"picResiz"}), "11450x7900 11195,7645,255,255");
    grip.mouseMove(1, 0, -5000, -5000);
    EXPECT_EQ(boxes(w, {"picResiz"}), "10550x7140 10295,6885,255,255");
    grip.mouseUp(1, 0, 0, 0);  // any button's release ends the resize
    grip.mouseMove(1, 0, 900, 600);
    EXPECT_EQ(boxes(w, {"picResiz"}), "10550x7140 10295,6885,255,255");
    w.OpenScanPage();
    w.grid("MsfInfectd").setRows(3);
    const Names cleared = {"lblNewVer", "lblInfected", "lblCount", "lblAutoCln", "txtFrndNm", "txtName2"};
    for (auto& name : cleared) c(name).setCaption("x");
    reload();
    c("picResiz").mouseMove(1, 0, 900, 600);  // no longer pressed
    EXPECT_EQ((std::tuple{w.CurrentPage, pages(), w.width(), w.grid("MsfInfectd").rows(), c("picPrgrs").width()}),
              (std::tuple{"", "", 10550, 1, 0}));
    for (auto& name : cleared) EXPECT_EQ(c(name).caption(), "") << name;
}

// Whichever box the user changes, the other takes the opposite value, and the mode is stored by each box's
// Click (the other's nested inside), once by the hidden button's; each write adds a row ('w','w','w') here.
TEST_F(MainTest, AlertStyleBoxesFormAPair) {
    const std::tuple<bool, const char*, int, int, short, const char*> cases[] = {
        {false, "chkPrmtDsk", 1, 0, rt::True, "Full Desktop"},
        {true, "chkPrmtPop", 1, 1, rt::False, "Pop"},
        {false, "chkPrmtPop", 0, 0, rt::True, "Full Desktop"},
        {true, "chkPrmtDsk", 0, 1, rt::False, "Pop"},
        {false, "cmdSvSettPop", 0, 1, rt::False, "Pop"}};
    for (const char* t : {"i AFTER INSERT ON [conf] WHEN NEW.[Key] <> 'w'", "u AFTER UPDATE ON [conf]"})
        run("pso.dat", std::string("CREATE TRIGGER ") + t + " BEGIN INSERT INTO [conf] VALUES ('w','w','w'); END");
    for (auto [desktopFirst, box, value, pop, notify, mode] : cases) {
        reload();
        if (desktopFirst) c("chkPrmtDsk").setValue(1);
        globals().NotifyFullDesktop = notify ? rt::False : rt::True;
        run("pso.dat", "DELETE FROM [conf]");
        box[1] == 'm' ? c(box).click() : c(box).setValue(value);
        EXPECT_EQ(alertStyle(), (Box{pop, 1 - pop, notify})) << box << value;
        std::vector<Row> stored = {wpop(mode), {"w", "w", "w"}, {"w", "w", "w"}};
        stored.resize(box[1] == 'm' ? 2 : 3);
        EXPECT_EQ(confRows(), stored);
    }
}

// The start-up timers highlight the status, load the settings, turn the watch on and show Help. Only "Full Desktop"
// or no stored style ticks "Block Desktop", stored again; a failed read shows the style the watch keeps and
// leaves the stored style alone.
TEST_F(MainTest, StartUpTimersLoadTheStoredSettingsAndShowHelp) {
    auto status = [&] {
        auto& l = c("lblActvt2");  // a new control on every load
        return std::tuple{l.visible(), l.caption(), l.foreColor(), l.font().bold};
    };
    const std::tuple<const char*, short, int, short, const char*> cases[] = {
        {nullptr, rt::False, 0, rt::True, "Full Desktop"},
        {"", rt::False, 0, rt::True, "Full Desktop"},
        {"Full Desktop", rt::False, 0, rt::True, "Full Desktop"},
        {"Pop", rt::True, 1, rt::True, "Pop"},
        {"pop", rt::True, 1, rt::True, "pop"},
        {"Full desktop", rt::False, 1, rt::False, "Full desktop"}};
    for (auto [stored, before, pop, after, kept] : cases) {
        run("pso.dat", "DELETE FROM [conf]");
        SaveConf("zxxis", "nnnm", EncodeValue(kept, kCipherKey));
        if (stored) SaveConf("zxxis", "wpop", EncodeValue(stored, kCipherKey));
        globals().NotifyFullDesktop = before;
        globals().UsbWatchEnabled = rt::False;
        reload();
        h.clock.advance(1);
        EXPECT_EQ(status(), (std::tuple{true, "Inactive", 0x0000FFu, true}));
        h.clock.advance(9);
        EXPECT_EQ(status(), (std::tuple{true, "Active", 0u, false}));
        EXPECT_EQ(alertStyle(), (Box{pop, 1 - pop, after})) << kept;
        EXPECT_EQ((std::tuple{confRows().at(1), c("txtName2").text(), pages(), globals().UsbWatchEnabled}),
                  (std::tuple{wpop(kept), kept, "picHelp ?", rt::True}));
    }
    for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) EXPECT_FALSE(w.timer(t).enabled()) << t;
    EXPECT_EQ(zStrtup().c("txtStrtup").text(), "Text1......");
    EXPECT_EQ(h.sys.registry.writes.size(), 6u);
    reload();  // settings loaded before the highlight's tick: the highlight never comes
    w.StartSettingsLoad();
    h.clock.advance(10);
    EXPECT_EQ(status(), (std::tuple{true, "Active", 0u, false}));
    // After a failed read the page shows the style the watch keeps; any write adds a row ('w','w','w').
    run("pso.dat", "CREATE TRIGGER u AFTER UPDATE ON [conf] BEGIN INSERT INTO [conf] VALUES ('w','w','w'); END");
    const std::tuple<int, const char*, short, int> failedReads[] = {
        {rt::Abort, "Full Desktop", rt::True, 0},
        {rt::Ignore, "Full Desktop", rt::True, 0},
        {rt::Retry, "Pop", rt::False, 1}};
    for (auto [answer, stored, notify, pop] : failedReads) {
        run("pso.dat", "DELETE FROM [conf]");
        SaveConf("zxxis", "wpop", EncodeValue(stored, kCipherKey));
        globals().NotifyFullDesktop = notify;
        reload();
        run("pso.dat", "ALTER TABLE [conf] RENAME TO [away]");  // every read fails until it is back
        h.ui.answers = {answer, answer};
        h.ui.onMsgBox = [&](const rt::DialogRecord&) {
            if (h.ui.dialogs.size() % 2 == 0) run("pso.dat", "ALTER TABLE [away] RENAME TO [conf]");
        };
        h.clock.advance(10);
        EXPECT_EQ(alertStyle(), (Box{pop, 1 - pop, notify})) << answer;
        EXPECT_EQ(confRows(), std::vector<Row>{wpop(stored)}) << answer;
    }
    EXPECT_EQ((std::tuple{h.ui.dialogs.size(), h.ui.dialogs.at(0).style}),
              (std::tuple{6u, rt::AbortRetryIgnore | rt::Critical}));
}

// The Run value: HKEY_LOCAL_MACHINE, the Run key, value "Tavlo.exe", access 0x3F; failures are silent.
TEST_F(MainTest, RunValueNamesTheProgramInItsFolderAndFailsSilently) {
    const std::string key = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
    const std::tuple<const char*, long, long, std::string> cases[] = {
        {"C:\\Program Files\\Tavlo Guard", 0, 0, "open set close C:\\Program Files\\Tavlo Guard\\Tavlo.exe"},
        {"E:\\", 0, 0, "open set close E:\\Tavlo.exe"},
        {"C:\\x", 5, 0, "open"},
        {"C:\\x", 0, 5, "open set close"}};
    for (auto& [folder, open, set, expected] : cases) {
        auto& r = h.sys.registry;
        r = {};
        std::tie(r.openResult, r.setResult, h.sys.files.programFolder_) = std::tie(open, set, folder);
        zStrtup().c("txtStrtup").append(".");
        std::string calls;
        for (auto& call : r.calls) calls += (calls.empty() ? "" : " ") + call.substr(0, call.find(' '));
        for (auto& write : r.writes) calls += " " + write.value;
        EXPECT_EQ((std::tuple{calls, r.calls.at(0), r.openKeys}), (std::tuple{expected, "open " + key, 0}));
        for (auto& write : r.writes)
            EXPECT_EQ((std::tuple{write.hive, write.subKey, write.access, write.name}),
                      (std::tuple{0x80000002u, key, 0x3Fu, "Tavlo.exe"}));
    }
    EXPECT_FALSE(!h.ui.dialogs.empty() || zStrtup().visible() || zStrtup().c("txtStrtup").visible() ||
                 zStrtup().c("cmdShow").visible());
}

}  // namespace
}  // namespace tavlo::core
