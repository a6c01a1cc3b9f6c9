// The main window: its load and layout, pages and chrome, the Settings page
// with its settings load, and the Run value.
#include <gtest/gtest.h>

#include <array>

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/ZStrtup.h"

namespace tavlo::core {
namespace {

using Names = std::vector<std::string>;
using tavlo::testing::Row;

class BorderlessFrm0 : public Frm0 {
protected:
    rt::FormDesign formDesign() override {
        rt::FormDesign d = Frm0::formDesign();
        d.border = rt::BorderStyle::None;
        return d;
    }
};

struct Box { const char* name; rt::Twips left, top, width, height; };

struct MainTest : tavlo::testing::CoreTest {
    Frm0& w = frm0();
    Names clicks;
    MainTest() {
        h.app().version = {1, 4, 0};
        w.show();
        tavlo::testing::stopSplashTimers();
    }
    rt::Control& c(const std::string& name) { return w.c(name); }
    void reload() {
        w.unload();
        w.show();
    }
    void expectBoxes(std::initializer_list<Box> boxes) {
        for (const Box& b : boxes) {
            auto& x = c(b.name);
            EXPECT_EQ((std::array<rt::Twips, 4>{x.left(), x.top(), x.width(), x.height()}),
                      (std::array<rt::Twips, 4>{b.left, b.top, b.width, b.height})) << b.name;
        }
    }
    // The page shown, the page tabs pressed (checking their place) and the "?" tab.
    std::string pages() {
        std::string out;
        for (const char* page : {"picScan", "PicSett", "picHelp", "picRegs"})
            if (c(page).visible()) out += page;
        for (const char* tab : {"picBtnScn", "picBtnSet", "picBtnUpd", "picBtnAbo"}) {
            const bool down = c(tab).picture() == c("picDown").picture();
            if (!down) EXPECT_EQ(c(tab).picture(), c("picNrml").picture()) << tab;
            EXPECT_EQ(c(tab).top(), down ? 6335 : 6410) << tab;
            EXPECT_EQ(c(tab).height(), down ? 360 : 315) << tab;
            if (down) out += std::string(" ") + tab;
        }
        if (c("picBtn0").picture() == c("picBtn0pD").picture()) out += " ?";
        return out;
    }
    void recordClicks() {
        for (const char* box : {"chkPrmtPop", "chkPrmtDsk"})
            c(box).onClick = [this, box, handler = c(box).onClick] {
                clicks.push_back(box);
                handler();
            };
    }
    void storeStyle(const std::string& plain) {
        run("pso.dat", "DELETE FROM [conf]");
        SaveConf("zxxis", "wpop", EncodeValue(plain, kCipherKey));
    }
    Row wpop(const std::string& plain) { return {"zxxis", "wpop", EncodeValue(plain, kCipherKey)}; }
};

TEST_F(MainTest, LoadSizesCentresAndLaysOutTheWindow) {
    EXPECT_EQ((std::array<rt::Twips, 4>{w.left(), w.top(), w.width(), w.height()}),
              (std::array<rt::Twips, 4>{2405, 1930, 10550, 7300}));
    expectBoxes({{"picScan", 2760, 2280, 7540, 4075}, {"PicSett", 2760, 2280, 7540, 4075},
                 {"picHelp", 2760, 2280, 7540, 4075}, {"picRegs", 2760, 2280, 7540, 4075},
                 {"MsfInfectd", 100, 360, 7330, 3415}, {"lblScaning", 120, 3800, 7330, 195},
                 {"cmdIgnrLst", 4750, 3810, 1095, 240}, {"cmdDeltAll", 6145, 3810, 1095, 240},
                 {"picResiz", 10295, 7045, 255, 255}, {"picDlg", 2755, 1843, 5040, 3615},
                 {"picExtBtn", 10045, 120, 255, 270}, {"picBtn0", 10045, 6410, 255, 315},
                 {"lblBtn0", 0, 60, 255, 255}, {"picBtnScn", 2880, 6410, 975, 315}});
    auto& g = w.grid("MsfInfectd");
    EXPECT_EQ((std::vector<rt::Twips>{g.colWidth(0), g.colWidth(1), g.colWidth(2), g.colWidth(3), g.colWidth(4),
                                      g.colWidth(5), g.colWidth(6)}),
              (std::vector<rt::Twips>{0, 4780, 1000, 600, 700, 0, 0}));
    EXPECT_EQ((Names{g.textMatrix(0, 0), g.textMatrix(0, 1), g.textMatrix(0, 2)}), (Names{"", "Object", "Criticality"}));
    EXPECT_EQ((std::array<int, 3>{g.rows(), g.fixedRows(), g.cols()}), (std::array<int, 3>{1, 1, 7}));
    for (const char* page : {"picScan", "PicSett", "picRegs"}) EXPECT_EQ(c(page).picture(), c("picBk").picture());
    EXPECT_NE(c("picHelp").picture(), c("picBk").picture());
    EXPECT_EQ(c("lblBtn0").caption(), "?");
    EXPECT_EQ(c("lblVersion").caption(), "1.4.0");
    EXPECT_EQ(w.FieldErrorColor, "255");
    EXPECT_EQ(w.FieldNormalColor, "14737632");
    EXPECT_FALSE(w.icon().empty());
    EXPECT_EQ(w.icon(), frmSplash().icon());
    EXPECT_TRUE(c("Drive1").enabled());
    EXPECT_EQ(pages(), "");
}

TEST_F(MainTest, EveryLoadStartsAfreshWhateverTheLastLoadLeft) {
    w.OpenScanPage();
    c("picResiz").mouseDown(1, 0, 0, 0);
    auto& g = w.grid("MsfInfectd");
    g.setRows(3);
    const Names cleared = {"lblNewVer", "lblInfected", "lblCount", "lblScaning", "lblAutoCln", "txtFrndNm",
                           "txtFrndEM", "txtCommnt", "txtName2", "txtmail2"};
    for (auto& name : cleared) c(name).setCaption("x");
    reload();
    EXPECT_EQ(w.CurrentPage, "");
    EXPECT_EQ(pages(), "");
    EXPECT_EQ(w.ResizeGripDown, 0);
    c("picResiz").mouseMove(1, 0, 900, 600);
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(g.rows(), 1);
    for (auto& name : cleared) EXPECT_EQ(c(name).caption(), "") << name;
    EXPECT_EQ(c("picPrgrs").width(), 0);
}

TEST_F(MainTest, ResizingKeepsTheMinimumAndMovesOnlyTheGrowingParts) {
    // The frame takes the grid's height from before the pass.
    struct Case { rt::Twips w, h, width, height, page, pageHeight, col1, deleteAll, frame; };
    const Case cases[] = {{8000, 5000, 10550, 7140, 7540, 3915, 4780, 6145, 3445},
                          {11550, 7300, 11550, 7300, 8540, 4075, 5780, 7145, 3285},
                          {10550, 7200, 10550, 7200, 7540, 3975, 4780, 6145, 3445}};
    c("cmdDel").setVisible(true);
    for (const Case& k : cases) {
        w.sizedByUser(k.w, k.h);
        const rt::Twips grid = k.page - 210;
        expectBoxes({{"picScan", 2760, 2280, k.page, k.pageHeight}, {"picHelp", 2760, 2280, k.page, k.pageHeight},
                     {"MsfInfectd", 100, 360, grid, k.pageHeight - 660}, {"lblBorder", 90, 350, grid + 30, k.frame},
                     {"lblScaning", 120, k.pageHeight - 275, grid, 195},
                     {"cmdDeltAll", k.deleteAll, k.pageHeight - 265, 1095, 240},
                     {"cmdIgnrLst", k.deleteAll - 1395, k.pageHeight - 265, 1095, 240},
                     {"picResiz", k.width - 255, k.height - 255, 255, 255}});
        EXPECT_EQ(w.width(), k.width);
        EXPECT_EQ(w.height(), k.height);
        EXPECT_EQ(w.grid("MsfInfectd").colWidth(1), k.col1);
    }
    EXPECT_FALSE(c("cmdDel").visible());
    auto& b = h.app().instance<BorderlessFrm0>();
    b.show();
    EXPECT_EQ(b.height(), 6840);
    EXPECT_EQ(b.c("picScan").height(), 6840 - 585 - 2280);
    b.sizedByUser(9000, 6000);
    EXPECT_EQ((std::array<rt::Twips, 2>{b.width(), b.height()}), (std::array<rt::Twips, 2>{10550, 6840}));
}

TEST_F(MainTest, TabsShowTheirPagesAndThePressedTabChangesNothing) {
    const std::pair<const char*, const char*> steps[] = {
        {"lblBtnScn", "picScan picBtnScn"}, {"picBtnSet", "PicSett picBtnSet"},
        {"lblBtnUpd", "picRegs picBtnUpd picBtnAbo"}, {"lblBtn0", "picHelp ?"},
        {"picBtnAbo", "picRegs picBtnUpd picBtnAbo"}, {"lblBtnSet", "PicSett picBtnSet"},
        {"picBtnScn", "picScan picBtnScn"}, {"lblBtnAbo", "picRegs picBtnUpd picBtnAbo"},
        {"picBtnUpd", "picRegs picBtnUpd picBtnAbo"}, {"cmdBtnCls", "picRegs picBtnUpd picBtnAbo"}};
    for (auto [tab, shown] : steps) {
        c(tab).click();
        EXPECT_EQ(pages(), shown) << tab;
    }
    for (const char* tab : {"lblBtnUpd", "picBtnAbo", "lblBtnScn", "picBtnScn", "lblBtnSet", "picBtnSet"}) {
        c(tab).click();
        c("cmdIgn").setVisible(true);
        c(tab).click();
        EXPECT_TRUE(c("cmdIgn").visible()) << tab;
    }
    w.sizedByUser(12000, 8000);  // the tabs follow the pages' bottom edge
    EXPECT_EQ(c("picBtnSet").top(), 7035);
    EXPECT_EQ(c("picBtnScn").top(), 7110);
    EXPECT_EQ(c("picBtn0").left(), 11495);
}

TEST_F(MainTest, StartUpTimersHighlightTheStatusThenLoadTheSettingsAndShowHelp) {
    auto& status = c("lblActvt2");
    h.clock.advance(1);
    EXPECT_TRUE(status.visible());
    EXPECT_EQ(status.foreColor(), 0x0000FFu);
    EXPECT_TRUE(status.font().bold);
    h.clock.advance(9);
    EXPECT_EQ(status.caption(), "Active");
    EXPECT_EQ(status.foreColor(), 0u);
    EXPECT_FALSE(status.font().bold);
    EXPECT_EQ(pages(), "picHelp ?");
    for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) EXPECT_FALSE(w.timer(t).enabled()) << t;
    EXPECT_EQ(globals().UsbWatchEnabled, rt::True);
    c("cmdDel").setVisible(true);
    c("imgArowD").setVisible(true);
    c("lblBtn0").click();
    EXPECT_FALSE(c("cmdDel").visible());
    EXPECT_FALSE(c("imgArowD").visible());
}

TEST_F(MainTest, ChromeDragsHidesAndResetsTheLinks) {
    h.sys.windows.calls.clear();
    w.mouseDown(rt::RightButton, 0, 100, 100);
    c("picDlg").mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_TRUE(h.sys.windows.calls.empty());
    w.mouseDown(rt::LeftButton, 0, 100, 100);
    c("picDlg").mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls,
              (Names{"ReleaseCapture", "SendMessage 0 161 2 0", "ReleaseCapture", "SendMessage 0 161 2 0"}));
    EXPECT_EQ(w.mousePointer(), rt::PointerArrow);
    for (const char* link : {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp"}) c(link).setForeColor(0xFF);
    c("picRegs").mouseMove(0, 0, 50, 50);
    for (const char* link : {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp"}) EXPECT_EQ(c(link).foreColor(), 0xFF0000u);
    c("lblBtnSet").click();
    c("cmdExit").click();
    EXPECT_FALSE(w.visible());
    w.show();
    EXPECT_EQ(pages(), "PicSett picBtnSet");
}

TEST_F(MainTest, GripResizesOnlyWhileHeldDownToTheMinimum) {
    auto& grip = c("picResiz");
    const std::array<rt::Twips, 4> moves[] = {{500, 500, 10550, 7300}, {-1, 0, 0, 0}, {900, 600, 11450, 7900},
                                             {-5000, -5000, 10550, 7140}, {-2, 0, 0, 0}, {900, 600, 10550, 7140}};
    for (auto [x, y, width, height] : moves) {
        if (x == -1 || x == -2) {
            (x == -1 ? grip.mouseDown(2, 0, 0, 0) : grip.mouseUp(2, 0, 0, 0));
            continue;
        }
        grip.mouseMove(1, 0, x, y);
        EXPECT_EQ((std::array<rt::Twips, 4>{w.width(), w.height(), grip.left(), grip.top()}),
                  (std::array<rt::Twips, 4>{width, height, width - 255, height - 255}));
    }
    auto& b = h.app().instance<BorderlessFrm0>();
    b.show();
    b.c("picResiz").mouseDown(1, 0, 0, 0);
    b.c("picResiz").mouseMove(1, 0, -9000, -9000);
    EXPECT_EQ((std::array<rt::Twips, 2>{b.width(), b.height()}), (std::array<rt::Twips, 2>{10550, 6840}));
}

TEST_F(MainTest, SettingsPageHoldsItsBoxesOfWhichOnlyTheAlertStyleChanges) {
    Names page, enabled;
    for (auto& control : w.controls()) {
        if (control->containerName() != "PicSett") continue;
        page.push_back(control->name());
        if (control->enabled() && control->visible()) enabled.push_back(control->name());
    }
    EXPECT_EQ(page, (Names{"chkStartup", "Label2", "chkInstUSB", "Label21", "chkPrmtPop", "Label26", "chkPrmtDsk",
                           "Label27", "chkNoAbrtScn", "Label33", "cmdSvSettPop"}));
    EXPECT_EQ(enabled, (Names{"chkPrmtPop", "Label26", "chkPrmtDsk", "Label27"}));
}

// Each click stores the mode; the other box's Click runs nested inside it.
TEST_F(MainTest, AlertStyleBoxesFormAPair) {
    struct Case { bool desktopFirst; const char* box; int value; Names order; int pop; short notify; const char* mode; };
    const Case cases[] = {
        {false, "chkPrmtDsk", 1, {"chkPrmtDsk", "chkPrmtPop"}, 0, rt::True, "Full Desktop"},
        {true, "chkPrmtPop", 1, {"chkPrmtPop", "chkPrmtDsk"}, 1, rt::False, "Pop"},
        {false, "chkPrmtPop", 0, {"chkPrmtPop", "chkPrmtDsk"}, 0, rt::True, "Full Desktop"},
        {true, "chkPrmtDsk", 0, {"chkPrmtDsk", "chkPrmtPop"}, 1, rt::False, "Pop"},
    };
    for (const Case& k : cases) {
        reload();
        if (k.desktopFirst) c("chkPrmtDsk").setValue(1);
        globals().NotifyFullDesktop = k.notify ? rt::False : rt::True;
        run("pso.dat", "DELETE FROM [conf]");
        clicks.clear();
        recordClicks();
        c(k.box).setValue(k.value);
        EXPECT_EQ(clicks, k.order) << k.box << k.value;
        EXPECT_EQ(c("chkPrmtPop").value(), k.pop);
        EXPECT_EQ(c("chkPrmtDsk").value(), 1 - k.pop);
        EXPECT_EQ(globals().NotifyFullDesktop, k.notify);
        EXPECT_EQ(confRows(), std::vector<Row>{wpop(k.mode)});
    }
    c("cmdSvSettPop").click();
    EXPECT_EQ(confRows(), std::vector<Row>{wpop("Pop")});
}

// The stored style ticks "Block Desktop" only for "Full Desktop" or nothing.
TEST_F(MainTest, SettingsLoadAppliesTheStoredAlertStyle) {
    struct Case { const char* stored; short before; int pop; short after; const char* kept; };
    const Case cases[] = {{nullptr, rt::False, 0, rt::True, "Full Desktop"},
                          {"", rt::False, 0, rt::True, "Full Desktop"},
                          {"Full Desktop", rt::False, 0, rt::True, "Full Desktop"},
                          {"Pop", rt::True, 1, rt::True, "Pop"},
                          {"pop", rt::True, 1, rt::True, "pop"},
                          {"Full desktop", rt::False, 1, rt::False, "Full desktop"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored ? k.stored : "missing");
        run("pso.dat", "DELETE FROM [conf]");
        if (k.stored) storeStyle(k.stored);
        globals().NotifyFullDesktop = k.before;
        reload();
        h.clock.advance(10);
        EXPECT_EQ(c("chkPrmtPop").value(), k.pop);
        EXPECT_EQ(c("chkPrmtDsk").value(), 1 - k.pop);
        EXPECT_EQ(globals().NotifyFullDesktop, k.after);
        EXPECT_EQ(confRows(), std::vector<Row>{wpop(k.kept)});
    }
    SaveConf("zxxis", "nnnm", EncodeValue("Ana Lima", kCipherKey));
    reload();
    h.clock.advance(10);
    EXPECT_EQ(c("txtName2").text(), "Ana Lima");
    EXPECT_EQ(zStrtup().c("txtStrtup").text(), "Text1.......");
    EXPECT_EQ(h.sys.registry.writes.size(), 7u);
}

// A read that fails leaves the stored style alone, whatever the answer.
TEST_F(MainTest, FailedReadOfTheAlertStyleStoresNothing) {
    for (int answer : {rt::Abort, rt::Ignore}) {
        storeStyle("Pop");
        globals().UsbWatchEnabled = rt::False;
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
        EXPECT_EQ(globals().UsbWatchEnabled, rt::True);
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

TEST_F(MainTest, RunValueNamesTheProgramInItsFolderAndFailsSilently) {
    struct Case { const char* folder; long open, set; Names calls; const char* data; };
    const std::string key = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
    const Case cases[] = {
        {"C:\\Program Files\\Tavlo Guard", 0, 0, {"open " + key, "set Tavlo.exe", "close"},
         "C:\\Program Files\\Tavlo Guard\\Tavlo.exe"},
        {"E:\\", 0, 0, {"open " + key, "set Tavlo.exe", "close"}, "E:\\Tavlo.exe"},
        {"C:\\x", 5, 0, {"open " + key}, nullptr},
        {"C:\\x", 0, 5, {"open " + key, "set Tavlo.exe", "close"}, nullptr},
    };
    for (const Case& k : cases) {
        auto& r = h.sys.registry;
        r = {};
        r.openResult = k.open;
        r.setResult = k.set;
        h.sys.files.programFolder_ = k.folder;
        zStrtup().c("txtStrtup").append(".");
        EXPECT_EQ(r.calls, k.calls) << k.folder;
        EXPECT_EQ(r.openKeys, 0);
        ASSERT_EQ(r.writes.size(), k.data ? 1u : 0u);
        if (!k.data) continue;
        EXPECT_EQ(r.writes[0].hive, 0x80000002u);
        EXPECT_EQ(r.writes[0].subKey, key);
        EXPECT_EQ(r.writes[0].access, 0x3Fu);
        EXPECT_EQ(r.writes[0].name, "Tavlo.exe");
        EXPECT_EQ(r.writes[0].value, k.data);
    }
    EXPECT_TRUE(h.ui.dialogs.empty());
}

}  // namespace
}  // namespace tavlo::core
