// The start-up against a real settings database: the first-run seeding, the
// settings load of the main window, and the program's end without one.
#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "runtime/ErrorReport.h"
#include "watch/Frm1.h"

namespace tavlo::core {
namespace {

using platform::fake::ProgramEnded;
using tavlo::testing::Row;
using Names = std::vector<std::string>;

const std::string kFullDesktop = EncodeValue("Full Desktop", kCipherKey);
const std::string kPop = EncodeValue("Pop", kCipherKey);

// The main window with a stand-in for the tell-a-friend panel's own-name
// field, unless the panel's area has made it.
class Frm0WithName : public Frm0 {
protected:
    void buildControls() override {
        Frm0::buildControls();
        if (!has("txtName2")) add({.kind = rt::Kind::TextBox, .name = "txtName2", .container = "picDlg"});
    }
};

struct StartUpTest : tavlo::testing::CoreTest {
    Row wpop(const std::string& value) { return {"zxxis", "wpop", value}; }
    Row marker(const std::string& value) { return {std::nullopt, "conf_Info_clctd", value}; }
    // A setting as the program stores it.
    void store(const std::string& key, const std::string& plain) { SaveConf("zxxis", key, EncodeValue(plain, kCipherKey)); }
    void storeMarker(const std::string& value) {
        run("pso.dat", "INSERT INTO [conf] ([Key],[Value]) VALUES ('conf_Info_clctd','" + value + "')");
    }
    // The splash's configuration load, about 10 ms after it shows.
    void startSplash() {
        frmSplash().show();
        h.clock.advance(10);
    }
};

TEST_F(StartUpTest, FirstRunSeedsTheFullDesktopAlertAndThePlainMarker) {
    startSplash();
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kFullDesktop), marker("clctd_4m_ini")}));
    EXPECT_EQ(DecodeValue(GetConf("", "wpop"), kCipherKey), "Full Desktop");
    EXPECT_EQ(frmSplash().ConfigurationLoaded, rt::True);
    EXPECT_EQ(frmSplash().c("lblMsg").caption(), "");
    EXPECT_TRUE(h.ui.dialogs.empty());
    EXPECT_FALSE(frmSplash().timer("tmrconfig").enabled());
    EXPECT_EQ(globals().FullDesktopAlertShown, rt::False);
}

TEST_F(StartUpTest, SecondStartAddsNothing) {
    startSplash();
    const auto afterFirst = confRows();
    {
        platform::fake::HeadlessApp second;
        second.sys.env.variables = h.sys.env.variables;
        second.sys.env.folders = h.sys.env.folders;
        second.sys.files.addFile(systemFile("pso.dat"), 4096);
        frmSplash().show();
        second.clock.advance(10);
        EXPECT_EQ(frmSplash().ConfigurationLoaded, rt::True);
        EXPECT_TRUE(second.ui.dialogs.empty());
    }
    EXPECT_EQ(confRows(), afterFirst);
}

TEST_F(StartUpTest, MarkerHoldingOkCountsAsSeeded) {
    storeMarker("ok");
    startSplash();
    EXPECT_EQ(confRows(), (std::vector<Row>{marker("ok")}));
    EXPECT_EQ(frmSplash().ConfigurationLoaded, rt::True);
}

// A marker row with an unknown value also ends the first run: the settings
// already stored are kept and no further marker row is added.
TEST_F(StartUpTest, MarkerHoldingAnotherValueCountsAsSeededAndKeepsTheSettings) {
    store("wpop", "Pop");
    storeMarker("collected");
    startSplash();
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kPop), marker("collected")}));
    EXPECT_EQ(frmSplash().ConfigurationLoaded, rt::True);
}

TEST_F(StartUpTest, FullStartShowsTheMainWindowAppliesTheSeededStyleAndHandsOver) {
    startSplash();
    h.clock.advance(600 - 10);
    Frm0& w = frm0();
    ASSERT_TRUE(w.visible());
    h.clock.advance(10);
    EXPECT_EQ(w.c("chkPrmtDsk").value(), 1);
    EXPECT_EQ(w.c("chkPrmtPop").value(), 0);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
    EXPECT_EQ(globals().UsbWatchEnabled, rt::True);
    EXPECT_EQ(w.CurrentPage, "Help");
    // Stored again by the settings load, still the full desktop, one row.
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kFullDesktop), marker("clctd_4m_ini")}));
    ASSERT_EQ(h.sys.registry.writes.size(), 1u);
    EXPECT_EQ(h.sys.registry.writes[0].value, "C:\\Program Files\\Tavlo\\Tavlo.exe");
    h.clock.advance(2000 - 610);
    EXPECT_TRUE(watch::frm1().visible());
    EXPECT_FALSE(frmSplash().visible());
    EXPECT_TRUE(w.visible());
    EXPECT_TRUE(h.ui.dialogs.empty());
}

struct MainSettingsTest : StartUpTest {
    Frm0WithName& w = h.app().instance<Frm0WithName>();
    Names clicks;

    void loadMainWindow() {
        w.show();
        tavlo::testing::stopSplashTimers();
        for (const char* box : {"chkPrmtPop", "chkPrmtDsk"}) {
            auto& control = w.c(box);
            control.onClick = [this, box, handler = control.onClick] {
                clicks.push_back(box);
                handler();
            };
        }
        h.clock.advance(10);
    }
};

TEST_F(MainSettingsTest, StoredPopUpTicksNothingNewAndStoresNothing) {
    store("wpop", "Pop");
    loadMainWindow();
    EXPECT_EQ(clicks, Names{});
    EXPECT_EQ(w.c("chkPrmtPop").value(), 1);
    EXPECT_EQ(w.c("chkPrmtDsk").value(), 0);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::False);
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kPop)}));
}

TEST_F(MainSettingsTest, OtherLetterCaseOrTextLeavesTheBoxesAndTheFlagAlone) {
    for (const char* text : {"pop", "Full desktop", "Blink"}) {
        SCOPED_TRACE(text);
        run("pso.dat", "DELETE FROM [conf]");
        store("wpop", text);
        globals().NotifyFullDesktop = rt::True;
        w.unload();
        clicks.clear();
        loadMainWindow();
        EXPECT_EQ(clicks, Names{});
        EXPECT_EQ(w.c("chkPrmtPop").value(), 1);
        EXPECT_EQ(w.c("chkPrmtDsk").value(), 0);
        EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
        EXPECT_EQ(confRows(), (std::vector<Row>{wpop(EncodeValue(text, kCipherKey))}));
    }
}

TEST_F(MainSettingsTest, MissingStyleReadsAsFullDesktopAndIsStored) {
    loadMainWindow();
    EXPECT_EQ(clicks, (Names{"chkPrmtDsk", "chkPrmtPop"}));
    EXPECT_EQ(w.c("chkPrmtDsk").value(), 1);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kFullDesktop)}));
}

TEST_F(MainSettingsTest, StoredUserNameFillsTheSuggestPanel) {
    store("nnnm", "Ana Lima");
    loadMainWindow();
    EXPECT_EQ(w.c("txtName2").text(), "Ana Lima");
}

TEST_F(MainSettingsTest, UserClicksStoreTheChosenStyle) {
    loadMainWindow();
    w.c("chkPrmtPop").setValue(1);
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kPop)}));
    EXPECT_EQ(globals().NotifyFullDesktop, rt::False);
    w.c("chkPrmtPop").setValue(0);
    EXPECT_EQ(confRows(), (std::vector<Row>{wpop(kFullDesktop)}));
    EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
}

// Timers keep firing while the store's error report is up: the settings
// load is not started again inside itself.
TEST_F(MainSettingsTest, SettingsLoadIsNotRepeatedInsideItsOwnErrorMessages) {
    ASSERT_TRUE(EnsureConfDb());
    run("pso.dat", "DROP TABLE [conf]");
    int depth = 0, deepest = 0;
    h.ui.onMsgBox = [&](const rt::DialogRecord&) {
        deepest = std::max(deepest, ++depth);
        h.clock.advance(100);
        --depth;
    };
    loadMainWindow();
    h.ui.onMsgBox = nullptr;
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(h.ui.dialogs.empty());
    EXPECT_FALSE(w.timer("tmrconfig").enabled());
}

struct NoDatabaseTest : ::testing::Test {
    platform::fake::HeadlessApp h;
};

// Timers keep firing while a message is up; the start-up still waits for
// the configuration, so the main window's own settings load never adds
// messages of its own.
TEST_F(NoDatabaseTest, MissingSettingsDatabaseShowsTwoMessagesAndEndsTheProgram) {
    h.ui.onMsgBox = [this](const rt::DialogRecord&) { h.clock.advance(3000); };
    frmSplash().show();
    EXPECT_THROW(h.clock.advance(10), ProgramEnded);
    h.ui.onMsgBox = nullptr;
    EXPECT_EQ(h.ui.prompts(), (Names{"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"}));
    EXPECT_FALSE(frm0().loaded());
    EXPECT_FALSE(watch::frm1().loaded());
}

TEST_F(StartUpTest, AbandonedConfigurationLoadWarnsWhenTheInfoBoxCloses) {
    ASSERT_TRUE(EnsureConfDb());
    run("pso.dat", "DROP TABLE [conf]");
    h.ui.answers = {rt::Abort};
    startSplash();
    EXPECT_EQ(frmSplash().ConfigurationLoaded, rt::False);
    h.ui.onModal = [](rt::Form& f) { f.click(); };
    frmSplash().c("lblSplsInfo").setCaption("Info");
    frmSplash().show(true);
    EXPECT_FALSE(frmSplash().loaded());
    EXPECT_EQ(h.ui.prompts().back(), "Confirutation Error...");
}

}  // namespace
}  // namespace tavlo::core
