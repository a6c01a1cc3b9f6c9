// The main window: load and layout, pages and chrome, the Settings page and
// its settings load, and the Run value.
#include "core/Frm0.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "core/CoreFixture.h"
#include "core/Globals.h"
#include "core/ZStrtup.h"

namespace tavlo::core {
namespace {

using Box = std::array<rt::Twips, 4>;
using tavlo::testing::Names;
using tavlo::testing::Row;

class BorderlessFrm0 : public Frm0 {
protected:
    rt::FormDesign formDesign() override {
        rt::FormDesign d = Frm0::formDesign();
        d.border = rt::BorderStyle::None;
        return d;
    }
};

struct MainTest : tavlo::testing::CoreTest {
    Frm0& w = frm0();
    MainTest() {
        h.app().version = {1, 4, 0};
        w.show();
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) frmSplash().timer(t).setEnabled(false);
    }
    rt::Control& c(const std::string& name) { return w.c(name); }
    std::string boxes(std::initializer_list<const char*> names) { return tavlo::testing::boxes(w, names); }
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
            EXPECT_EQ(c(tab).picture(), c(down ? "picDown" : "picNrml").picture());
            EXPECT_EQ((Box{c(tab).top(), c(tab).height()}), (Box{down ? 6335 : 6410, down ? 360 : 315})) << tab;
            if (down) out += std::string(" ") + tab;
        }
        return out + (c("picBtn0").picture() == c("picBtn0pD").picture() ? " ?" : "");
    }
    Row wpop(const std::string& plain) { return {"zxxis", "wpop", EncodeValue(plain, kCipherKey)}; }
    Box alertStyle() { return {c("chkPrmtPop").value(), c("chkPrmtDsk").value(), globals().NotifyFullDesktop}; }
};

TEST_F(MainTest, LoadSizesCentresAndLaysOutTheWindow) {
    EXPECT_EQ((Box{w.left(), w.top()}), (Box{2405, 1930}));
    EXPECT_EQ(boxes({"picScan", "picRegs", "MsfInfectd", "lblScaning", "cmdIgnrLst", "cmdDeltAll", "picResiz", "picDlg",
                     "picExtBtn", "picBtn0", "lblBtn0", "picBtnAbo"}),
              "10550x7300 2760,2280,7540,4075 2760,2280,7540,4075 100,360,7330,3415 120,3800,7330,195 "
              "4750,3810,1095,240 6145,3810,1095,240 10295,7045,255,255 2755,1843,5040,3615 10045,120,255,270 "
              "10045,6410,255,315 0,60,255,255 7920,6410,975,315");
    auto& g = w.grid("MsfInfectd");
    Names cells = {std::to_string(g.rows()), std::to_string(g.fixedRows()), std::to_string(g.cols())};
    for (int col = 0; col < 7; ++col) cells.push_back(std::to_string(g.colWidth(col)));
    for (int col = 0; col < 3; ++col) cells.push_back(g.textMatrix(0, col));
    EXPECT_EQ(cells, (Names{"1", "1", "7", "0", "4780", "1000", "600", "700", "0", "0", "", "Object", "Criticality"}));
    for (const char* page : {"picScan", "PicSett", "picRegs"}) EXPECT_EQ(c(page).picture(), c("picBk").picture());
    Names enabled;
    for (auto& control : w.controls())
        if (control->containerName() == "PicSett" && control->enabled() && control->visible())
            enabled.push_back(control->name());
    for (const char* hidden : {"picBk", "picNrml", "picDown", "picBtn0pN", "picBtn0pD", "picDlg", "txtConf",
                               "cmdBtnCls", "cmdSvSettPop", "lblScaning"})
        EXPECT_FALSE(c(hidden).visible()) << hidden;
    EXPECT_EQ(enabled, (Names{"chkPrmtPop", "Label26", "chkPrmtDsk", "Label27"}));
    EXPECT_EQ((Names{c("lblBtn0").caption(), c("lblVersion").caption(), w.FieldErrorColor, w.FieldNormalColor}),
              (Names{"?", "1.4.0", "255", "14737632"}));
    EXPECT_FALSE(w.icon().empty());
    EXPECT_EQ(w.icon(), frmSplash().icon());
    for (const char* label : {"lblScaning", "Label3", "lblBtnScn", "lblActvt2"}) EXPECT_TRUE(c(label).transparent());
    EXPECT_EQ(pages(), "");
}

TEST_F(MainTest, EveryLoadStartsAfreshWhateverTheLastLoadLeft) {
    w.OpenScanPage();
    c("picResiz").mouseDown(1, 0, 0, 0);
    w.grid("MsfInfectd").setRows(3);
    const Names cleared = {"lblNewVer", "lblInfected", "lblCount",  "lblScaning", "lblAutoCln",
                           "txtFrndNm", "txtFrndEM",   "txtCommnt", "txtName2",   "txtmail2"};
    for (auto& name : cleared) c(name).setCaption("x");
    reload();
    c("picResiz").mouseMove(1, 0, 900, 600);
    EXPECT_EQ((std::tuple{w.CurrentPage, pages(), w.width(), w.grid("MsfInfectd").rows(), c("picPrgrs").width()}),
              (std::tuple{"", "", 10550, 1, 0}));
    for (auto& name : cleared) EXPECT_EQ(c(name).caption(), "") << name;
}

// The frame around the grid takes the grid's height from before the pass.
TEST_F(MainTest, ResizingKeepsTheMinimumAndMovesOnlyTheGrowingParts) {
    const std::tuple<rt::Twips, rt::Twips, const char*, rt::Twips> cases[] = {
        {8000, 5000,
         "10550x7140 2760,2280,7540,3915 100,360,7330,3255 90,350,7360,3445 120,3640,7330,195 6145,3650,1095,240 "
         "4750,3650,1095,240 10295,6885,255,255",
         4780},
        {11550, 7300,
         "11550x7300 2760,2280,8540,4075 100,360,8330,3415 90,350,8360,3285 120,3800,8330,195 7145,3810,1095,240 "
         "5750,3810,1095,240 11295,7045,255,255",
         5780}};
    for (auto& [width, height, laidOut, column1] : cases) {
        c("cmdDel").setVisible(true);
        w.sizedByUser(width, height);
        EXPECT_EQ(boxes({"picHelp", "MsfInfectd", "lblBorder", "lblScaning", "cmdDeltAll", "cmdIgnrLst", "picResiz"}),
                  laidOut);
        EXPECT_EQ(w.grid("MsfInfectd").colWidth(1), column1);
        EXPECT_FALSE(c("cmdDel").visible());
    }
    auto& b = h.app().instance<BorderlessFrm0>();
    b.show();
    b.sizedByUser(9000, 6000);
    EXPECT_EQ(tavlo::testing::boxes(b, {"picScan"}), "10550x6840 2760,2280,7540,3975");
}

TEST_F(MainTest, TabsShowTheirPagesAndThePressedTabChangesNothing) {
    const std::pair<const char*, const char*> steps[] = {{"lblBtnScn", "picScan picBtnScn"},
                                                         {"picBtnSet", "PicSett picBtnSet"},
                                                         {"lblBtnUpd", "picRegs picBtnUpd picBtnAbo"},
                                                         {"lblBtn0", "picHelp ?"},
                                                         {"picBtnAbo", "picRegs picBtnUpd picBtnAbo"},
                                                         {"lblBtnSet", "PicSett picBtnSet"},
                                                         {"picBtnScn", "picScan picBtnScn"}};
    for (auto [tab, shown] : steps) {
        c(tab).click();
        EXPECT_EQ(pages(), shown) << tab;
        c("cmdIgn").setVisible(true);
        c(tab).click();
        EXPECT_EQ(c("cmdIgn").visible(), std::string(tab) != "lblBtn0") << tab;
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

TEST_F(MainTest, StartUpTimersHighlightTheStatusThenLoadTheSettingsAndShowHelp) {
    auto& status = c("lblActvt2");
    auto look = [&] { return std::tuple{status.visible(), status.caption(), status.foreColor(), status.font().bold}; };
    h.clock.advance(1);
    EXPECT_EQ(look(), (std::tuple{true, "Inactive", 0x0000FFu, true}));
    c("imgArowD").setVisible(true);
    h.clock.advance(9);
    EXPECT_EQ(look(), (std::tuple{true, "Active", 0u, false}));
    EXPECT_EQ(pages(), "picHelp ?");
    EXPECT_FALSE(c("imgArowD").visible());
    for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) EXPECT_FALSE(w.timer(t).enabled()) << t;
    EXPECT_EQ(globals().UsbWatchEnabled, rt::True);
}

TEST_F(MainTest, ChromeDragsResizesHidesAndResetsTheLinks) {
    h.sys.windows.calls.clear();
    for (int button : {rt::RightButton, rt::LeftButton}) c("picDlg").mouseDown(button, 0, 1, 1);
    w.mouseDown(rt::LeftButton, 0, 100, 100);
    EXPECT_EQ(h.sys.windows.calls,
              (Names{"ReleaseCapture", "SendMessage 0 161 2 0", "ReleaseCapture", "SendMessage 0 161 2 0"}));
    auto& grip = c("picResiz");
    grip.mouseDown(2, 0, 0, 0);
    grip.mouseMove(1, 0, 900, 600);
    EXPECT_EQ(boxes({"picResiz"}), "11450x7900 11195,7645,255,255");
    grip.mouseMove(1, 0, -5000, -5000);
    grip.mouseUp(2, 0, 0, 0);
    grip.mouseMove(1, 0, 900, 600);
    EXPECT_EQ(boxes({"picResiz"}), "10550x7140 10295,6885,255,255");
    for (const char* link : {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp"}) c(link).setForeColor(0xFF);
    c("picRegs").mouseMove(0, 0, 50, 50);
    for (const char* link : {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp"}) EXPECT_EQ(c(link).foreColor(), 0xFF0000u);
}

// Whichever box the user changes, the other takes the opposite value and the mode is stored.
TEST_F(MainTest, AlertStyleBoxesFormAPair) {
    const std::tuple<bool, const char*, int, int, short, const char*> cases[] = {
        {false, "chkPrmtDsk", 1, 0, rt::True, "Full Desktop"},
        {true, "chkPrmtPop", 1, 1, rt::False, "Pop"},
        {false, "chkPrmtPop", 0, 0, rt::True, "Full Desktop"},
        {true, "chkPrmtDsk", 0, 1, rt::False, "Pop"},
        {false, "cmdSvSettPop", 0, 1, rt::False, "Pop"}};
    for (auto [desktopFirst, box, value, pop, notify, mode] : cases) {
        reload();
        if (desktopFirst) c("chkPrmtDsk").setValue(1);
        globals().NotifyFullDesktop = notify ? rt::False : rt::True;
        run("pso.dat", "DELETE FROM [conf]");
        box[1] == 'm' ? c(box).click() : c(box).setValue(value);
        EXPECT_EQ(alertStyle(), (Box{pop, 1 - pop, notify})) << box << value;
        EXPECT_EQ(confRows(), std::vector<Row>{wpop(mode)});
    }
}

// Only "Full Desktop" or no stored style ticks "Block Desktop", which stores it again;
// a read that fails leaves the stored style alone, whatever the answer.
TEST_F(MainTest, SettingsLoadAppliesTheStoredAlertStyleTheNameAndTheRunValue) {
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
        reload();
        h.clock.advance(10);
        EXPECT_EQ(alertStyle(), (Box{pop, 1 - pop, after})) << kept;
        EXPECT_EQ(confRows().at(1), wpop(kept));
        EXPECT_EQ(c("txtName2").text(), kept);
    }
    EXPECT_EQ(zStrtup().c("txtStrtup").text(), "Text1......");
    EXPECT_EQ(h.sys.registry.writes.size(), 6u);
    for (int answer : {rt::Abort, rt::Ignore}) {
        run("pso.dat", "DELETE FROM [conf]");
        SaveConf("zxxis", "wpop", EncodeValue("Pop", kCipherKey));
        reload();
        Lock lock;
        lockConf(lock);
        h.ui.answers = {answer, answer};
        h.ui.onMsgBox = [&](const rt::DialogRecord&) {
            if (h.ui.dialogs.size() % 2 == 0) lock.release();
        };
        h.clock.advance(10);
        EXPECT_EQ(c("chkPrmtPop").value(), 1);
        EXPECT_EQ(confRows(), std::vector<Row>{wpop("Pop")});
    }
    EXPECT_EQ(h.ui.dialogs.size(), 4u);
}

// Timers keep firing while the store's error report is up.
TEST_F(MainTest, SettingsLoadIsNotStartedAgainInsideItsOwnMessages) {
    ASSERT_TRUE(EnsureConfDb());
    run("pso.dat", "DROP TABLE [conf]");
    int depth = 0, deepest = 0;
    h.ui.onMsgBox = [&](const rt::DialogRecord&) {
        deepest = std::max(deepest, ++depth);
        h.clock.advance(100);
        --depth;
    };
    h.clock.advance(10);
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(w.timer("tmrconfig").enabled());
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
        EXPECT_EQ(calls, expected);
        for (auto& write : r.writes)
            EXPECT_EQ((std::tuple{write.hive, write.subKey, write.access, write.name}),
                      (std::tuple{0x80000002u, key, 0x3Fu, "Tavlo.exe"}));
        EXPECT_EQ((std::tuple{r.calls.at(0), r.openKeys}), (std::tuple{"open " + key, 0}));
    }
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_FALSE(zStrtup().visible() || zStrtup().c("txtStrtup").visible() || zStrtup().c("cmdShow").visible());
}

}  // namespace
}  // namespace tavlo::core
