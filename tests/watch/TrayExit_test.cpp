#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "online/FrmPopUp.h"
#include "WatchFixture.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUScrn.h"
#include "watch/FrmNwUSB.h"
#include "watch/ZManu.h"

namespace tavlo::watch {
namespace {

using platform::Tray;
using platform::fake::ProgramEnded;

enum { LDown = 513, LUp = 514, LDbl = 515, RDown = 516, RUp = 517 };

const std::string kQuestion = "It will shut down Tavlo.\r\n** Your PC will be unprotected **";

struct TrayTest : WatchTest {
    void SetUp() override {
        core::frm0().hide();
        frm1().show();
    }
    // The shell's callback reaches frm1's window as WM_MOUSEMOVE carrying the
    // mouse message.
    void tray(int mouseMessage) { frm1().message(ShellIcon::kCallbackMessage, 1, mouseMessage); }
    std::vector<std::string> menuItems() {
        std::vector<std::string> items;
        for (auto& c : zManu().controls()) {
            if (c->kind() == rt::Kind::Menu && c->containerName() == "mnuPop") items.push_back(c->caption());
        }
        return items;
    }
    int menusShown() {
        return static_cast<int>(std::count_if(h.ui.dialogs.begin(), h.ui.dialogs.end(),
                                              [](auto& d) { return d.kind == "menu"; }));
    }
    int systemMenus() {
        return static_cast<int>(std::count_if(h.sys.windows.calls.begin(), h.sys.windows.calls.end(),
                                              [](auto& c) { return c.rfind("TrackSystemMenu", 0) == 0; }));
    }
    // Picks an item of the tray menu while it is open.
    void pickFromMenu(const std::string& item) {
        h.ui.onPopupMenu = [item](rt::Form&, rt::Control&) { zManu().c(item).click(); };
    }
    void expectExitQuestion() {
        ASSERT_EQ(h.ui.prompts(), std::vector<std::string>{kQuestion});
        EXPECT_EQ(h.ui.dialogs.back().style, 67);
        EXPECT_EQ(h.ui.dialogs.back().title, "Tavlo");
    }
    void expectStillRunning() {
        EXPECT_TRUE(h.sys.tray.shown);
        EXPECT_TRUE(frm1().loaded());
        EXPECT_EQ(systemMenus(), 0);
    }
    // The process ended with code 0, the icon out of the tray.
    template <class Action>
    void expectExit(Action&& action) {
        try {
            action();
            FAIL() << "the program went on";
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.code, 0);
        }
        EXPECT_FALSE(h.sys.tray.shown);
        EXPECT_EQ(h.sys.tray.calls.back().message, Tray::Delete);
    }
};

TEST_F(TrayTest, RightPressOpensTheTrayMenuAndHideMenuOnlyClosesIt) {
    pickFromMenu("mnuClose");
    tray(RDown);
    ASSERT_EQ(menusShown(), 1);
    EXPECT_EQ(h.ui.dialogs.back().prompt, "mnuPop");
    EXPECT_EQ(h.ui.dialogs.back().title, "frm1") << "popped up from the tray form";
    EXPECT_EQ(menuItems(), (std::vector<std::string>{"Main Window", "-", "Shut Down Tavlo", "-", "Hide Menu"}));
    EXPECT_FALSE(core::frm0().visible());
    EXPECT_TRUE(h.ui.prompts().empty());
    expectStillRunning();
}

TEST_F(TrayTest, LeftPressOpensNoMenu) {
    tray(LDown);
    EXPECT_EQ(menusShown(), 0);
}

TEST_F(TrayTest, ClickOfEitherButtonShowsTheMainWindow) {
    tray(LDown);
    tray(LUp);
    EXPECT_TRUE(core::frm0().visible());
    tray(LUp);
    EXPECT_TRUE(core::frm0().visible());

    core::frm0().unload();
    tray(RUp);
    ASSERT_TRUE(core::frm0().loaded());
    EXPECT_TRUE(core::frm0().visible()) << "the right release reaches the form as Click(2), loading it";
    EXPECT_EQ(systemMenus(), 0);
}

TEST_F(TrayTest, MainWindowItemShowsTheMainWindow) {
    pickFromMenu("mnuD");
    tray(RDown);
    EXPECT_TRUE(core::frm0().visible());
    expectStillRunning();
}

TEST_F(TrayTest, ShutDownFromTheMenuAnsweredNoOrCancelChangesNothing) {
    pickFromMenu("mnuExit");
    h.ui.answers = {rt::No, rt::Cancel};
    tray(RDown);
    expectExitQuestion();
    tray(RDown);
    EXPECT_EQ(h.ui.prompts().size(), 2u);
    expectStillRunning();
    EXPECT_EQ(zManu().c("txtExit").text(), "");
}

TEST_F(TrayTest, ShutDownFromTheMenuAnsweredYesEndsTheProgram) {
    pickFromMenu("mnuExit");
    h.ui.answers = {rt::Yes};
    expectExit([&] { tray(RDown); });
    expectExitQuestion();
    EXPECT_EQ(systemMenus(), 0) << "the menu's item goes straight to the exit";
}

TEST_F(TrayTest, DoubleClickAnsweredNoOrCancelChangesNothing) {
    for (int answer : {rt::No, rt::Cancel}) {
        h.ui.answers = {answer};
        tray(LDown);
        tray(LUp);
        tray(LDbl);
        tray(LUp);
    }
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{kQuestion, kQuestion}));
    EXPECT_TRUE(core::frm0().visible());
    expectStillRunning();
}

TEST_F(TrayTest, DoubleClickAnsweredYesShowsTheSystemMenuThenEnds) {
    h.ui.answers = {rt::Yes};
    h.sys.windows.cursor = {1000, 760};
    tray(LDown);
    tray(LUp);
    EXPECT_TRUE(core::frm0().visible()) << "the first Click shows the main window";
    expectExit([&] { tray(LDbl); });
    expectExitQuestion();
    ASSERT_EQ(systemMenus(), 1);
    auto menu = std::find_if(h.sys.windows.calls.begin(), h.sys.windows.calls.end(),
                             [](auto& c) { return c.rfind("TrackSystemMenu", 0) == 0; });
    EXPECT_EQ(*menu, "TrackSystemMenu " + std::to_string(frm1().hWnd()) + " 1000 760");
}

TEST_F(TrayTest, ExitUnloadsItsWindowsAndLeavesTheRestToTheProcessEnd) {
    core::frmSplash().show();
    online::frmPopUp().show();
    frmNwUSB().show();
    frmNwUScrn().show();
    core::frm0().show();
    h.sys.tray.calls.clear();
    expectExit([] { zManu().c("txtExit").append("1"); });
    EXPECT_FALSE(core::frmSplash().loaded());
    EXPECT_FALSE(online::frmPopUp().loaded());
    EXPECT_FALSE(frmNwUSB().loaded());
    EXPECT_FALSE(core::frm0().loaded());
    EXPECT_FALSE(frm1().loaded());
    EXPECT_TRUE(frmNwUScrn().loaded()) << "no unload handling for the full-desktop alert";
    ASSERT_EQ(h.sys.tray.calls.size(), 1u) << "the icon is removed once, before the tray form unloads";
    EXPECT_EQ(h.sys.tray.calls[0].message, Tray::Delete);
}

TEST_F(TrayTest, EveryChangeOfTheExitTriggerIsAnExitRequest) {
    expectExit([] { zManu().c("txtExit").append("1"); });
    expectExit([] { zManu().c("txtExit").append("1"); });
    EXPECT_EQ(zManu().c("txtExit").text(), "11");
}

TEST_F(TrayTest, ShellRestartPutsTheIconBackInTheTray) {
    const unsigned restart = h.sys.windows.registerMessage("TaskbarCreated");
    h.sys.tray.shown = false;
    const auto before = h.sys.tray.calls.size();
    EXPECT_TRUE(frm1().message(restart, 0, 0));
    ASSERT_EQ(h.sys.tray.calls.size(), before + 1);
    EXPECT_EQ(h.sys.tray.calls.back().message, Tray::Add);
    EXPECT_EQ(h.sys.tray.calls.back().data.tip, ShellIcon::tipField("Tavlo"));
    EXPECT_TRUE(h.sys.tray.shown);
}

TEST_F(TrayTest, UnloadingTheTrayFormTakesTheIconOut) {
    frm1().unload();
    EXPECT_FALSE(h.sys.tray.shown);
    EXPECT_EQ(h.sys.tray.calls.back().message, Tray::Delete);
    frm1().show();
    EXPECT_TRUE(h.sys.tray.shown) << "a new load adds it again";
}

}  // namespace
}  // namespace tavlo::watch
