#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/ZStrtup.h"

namespace tavlo::core {
namespace {

using Names = std::vector<std::string>;

struct Frm0SettingsTest : tavlo::testing::CoreTest {
    Frm0& w = frm0();
    Names clicks;

    void SetUp() override {
        w.show();
        tavlo::testing::stopSplashTimers();
    }
    rt::Control& pop() { return w.c("chkPrmtPop"); }
    rt::Control& desktop() { return w.c("chkPrmtDsk"); }
    // Records the order in which the two boxes' Click handlers start.
    void recordClicks() {
        for (auto [box, tag] : {std::pair{"chkPrmtPop", "pop"}, std::pair{"chkPrmtDsk", "desktop"}}) {
            auto& control = w.c(box);
            control.onClick = [this, tag, handler = control.onClick] {
                clicks.push_back(tag);
                handler();
            };
        }
    }
    void startAs(int popValue, int desktopValue) {
        if (desktopValue == 1) desktop().setValue(1);
        ASSERT_EQ(pop().value(), popValue);
        ASSERT_EQ(desktop().value(), desktopValue);
        recordClicks();
    }
};

TEST_F(Frm0SettingsTest, PageShowsTheDesignStateWithThreeGreyedBoxes) {
    struct Row { const char* box; const char* label; const char* text; int value; bool enabled; };
    const Row rows[] = {
        {"chkStartup", "Label2", "Launch Tavlo at computer startup", 1, false},
        {"chkInstUSB", "Label21", "Prompt when a new USB Memory Device plugged", 1, false},
        {"chkPrmtPop", "Label26", "Pop Up", 1, true},
        {"chkPrmtDsk", "Label27", "Block Desktop", 0, true},
        {"chkNoAbrtScn", "Label33", "Disable Abort Scan", 0, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.box);
        EXPECT_EQ(w.c(r.box).value(), r.value);
        EXPECT_EQ(w.c(r.box).enabled(), r.enabled);
        EXPECT_EQ(w.c(r.label).enabled(), r.enabled);
        EXPECT_EQ(w.c(r.label).caption(), r.text);
        EXPECT_EQ(w.c(r.label).top(), w.c(r.box).top());
    }
    EXPECT_FALSE(w.c("cmdSvSettPop").visible());
}

TEST_F(Frm0SettingsTest, TickingBlockDesktopRunsPopUpNestedAndChoosesTheFullDesktop) {
    startAs(1, 0);
    desktop().setValue(1);
    EXPECT_EQ(clicks, (Names{"desktop", "pop"}));
    EXPECT_EQ(pop().value(), 0);
    EXPECT_EQ(desktop().value(), 1);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
}

TEST_F(Frm0SettingsTest, TickingPopUpIsTheMirrorAndChoosesThePopUp) {
    startAs(0, 1);
    globals().NotifyFullDesktop = rt::True;
    pop().setValue(1);
    EXPECT_EQ(clicks, (Names{"pop", "desktop"}));
    EXPECT_EQ(pop().value(), 1);
    EXPECT_EQ(desktop().value(), 0);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::False);
}

TEST_F(Frm0SettingsTest, UntickingPopUpTicksBlockDesktop) {
    startAs(1, 0);
    pop().setValue(0);
    EXPECT_EQ(clicks, (Names{"pop", "desktop"}));
    EXPECT_EQ(pop().value(), 0);
    EXPECT_EQ(desktop().value(), 1);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::True);
}

TEST_F(Frm0SettingsTest, UntickingBlockDesktopTicksPopUp) {
    startAs(0, 1);
    desktop().setValue(0);
    EXPECT_EQ(clicks, (Names{"desktop", "pop"}));
    EXPECT_EQ(pop().value(), 1);
    EXPECT_EQ(desktop().value(), 0);
    EXPECT_EQ(globals().NotifyFullDesktop, rt::False);
}

TEST_F(Frm0SettingsTest, SettingsLoadTurnsTheWatchOnAndWritesTheRunValue) {
    EXPECT_EQ(globals().UsbWatchEnabled, rt::False);
    h.clock.advance(10);
    EXPECT_EQ(globals().UsbWatchEnabled, rt::True);
    EXPECT_EQ(zStrtup().c("txtStrtup").text(), "Text1.");
    ASSERT_EQ(h.sys.registry.writes.size(), 1u);
    EXPECT_FALSE(zStrtup().visible());
}

TEST_F(Frm0SettingsTest, EveryLoadOfTheWindowAppendsADotAndWritesTheRunValueAgain) {
    h.clock.advance(10);
    for (int i = 0; i < 2; ++i) {
        w.unload();
        w.show();
        h.clock.advance(10);
    }
    EXPECT_EQ(zStrtup().c("txtStrtup").text(), "Text1...");
    EXPECT_EQ(h.sys.registry.writes.size(), 3u);
}

struct ZStrtupTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    void runEntry() { zStrtup().c("txtStrtup").append("."); }
};

TEST_F(ZStrtupTest, RunValueNamesTheProgramInItsFolderUnderTheMachineRunKey) {
    h.sys.files.programFolder_ = "C:\\Program Files\\Tavlo Guard";
    runEntry();
    ASSERT_EQ(h.sys.registry.writes.size(), 1u);
    const auto& write = h.sys.registry.writes[0];
    EXPECT_EQ(write.hive, 0x80000002u);
    EXPECT_EQ(write.subKey, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\");
    EXPECT_EQ(write.access, 0x3Fu);
    EXPECT_EQ(write.name, "Tavlo.exe");
    EXPECT_EQ(write.value, "C:\\Program Files\\Tavlo Guard\\Tavlo.exe");
    EXPECT_EQ(h.sys.registry.openKeys, 0);
}

TEST_F(ZStrtupTest, FolderEndingInABackslashGetsNoSecondOne) {
    h.sys.files.programFolder_ = "E:\\";
    runEntry();
    ASSERT_EQ(h.sys.registry.writes.size(), 1u);
    EXPECT_EQ(h.sys.registry.writes[0].value, "E:\\Tavlo.exe");
}

TEST_F(ZStrtupTest, RefusedKeyIsLeftAloneWithoutAWord) {
    h.sys.registry.openResult = 5;
    runEntry();
    EXPECT_TRUE(h.sys.registry.writes.empty());
    EXPECT_EQ(h.sys.registry.calls, (Names{"open SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\"}));
    EXPECT_TRUE(h.ui.dialogs.empty());
}

TEST_F(ZStrtupTest, RefusedWriteStillClosesTheKeyWithoutAWord) {
    h.sys.registry.setResult = 5;
    runEntry();
    EXPECT_TRUE(h.sys.registry.writes.empty());
    EXPECT_EQ(h.sys.registry.openKeys, 0);
    EXPECT_TRUE(h.ui.dialogs.empty());
}

}  // namespace
}  // namespace tavlo::core
