#include "WatchTest.h"

#include "online/FrmPopUp.h"

namespace tavlo::watch {
namespace {

using platform::Tray;

enum { Move = 512, LDown = 513, LUp = 514, LDbl = 515, RDown = 516, RUp = 517, RDbl = 518 };

struct TrayTest : WatchTest {
    TrayTest() {
        frm1().load();
        h.sys.tray.calls.clear();
    }
    // Runs the action; true when it ended the program, with code 0 and the icon out of the tray.
    template <class Action>
    bool ends(Action&& action) {
        try {
            action();
        } catch (const platform::fake::ProgramEnded& ended) {
            return ended.code == 0 && !h.sys.tray.shown;
        }
        return !h.sys.tray.shown;
    }
};

TEST_F(TrayTest, RightPressOpensTheTrayMenuWhoseItemsDoTheirPart) {
    zManu().load();
    Texts items;
    for (auto& c : zManu().controls())
        if (c->containerName() == "mnuPop") items.push_back(c->caption());
    EXPECT_EQ(items, (Texts{"Main Window", "-", "Shut Down Dravix", "-", "Hide Menu"}));
    const struct { const char* item; int answer; bool mainShown, ended; } rows[] = {
        {"mnuClose", 0, false, false}, {"mnuD", 0, true, false}, {"mnuExit", rt::No, false, false},
        {"mnuExit", rt::Yes, false, true}};
    for (const auto& row : rows) {
        frm0().hide();
        h.ui.dialogs.clear();
        h.ui.answers = {row.answer};
        h.ui.onPopupMenu = [&](rt::Form&, rt::Control&) { zManu().c(row.item).click(); };
        tray(LDown);
        EXPECT_TRUE(h.ui.dialogs.empty());
        EXPECT_EQ(ends([&] { tray(RDown); }), row.ended) << row.item;
        EXPECT_EQ(h.ui.dialogs[0].kind + " " + h.ui.dialogs[0].prompt + " " + h.ui.dialogs[0].title, "menu mnuPop frm1");
        EXPECT_EQ(frm0().visible(), row.mainShown);
    }
    EXPECT_EQ(h.ui.prompts(), Texts{"It will shut down Tavlo.\r\n** Your PC will be unprotected **"});
    EXPECT_EQ(h.ui.dialogs[1].style, 67);
    EXPECT_EQ(h.ui.dialogs[1].title, "Tavlo");
    EXPECT_TRUE(calls("TrackSystemMenu").empty());
}

// Either button's click shows the main window, loading it; a double click
// asks, and after Yes the tray form's system menu opens at the mouse first.
TEST_F(TrayTest, ClicksShowTheMainWindowAndADoubleClickAsksToShutDown) {
    h.sys.windows.cursor = {1000, 760};
    const std::string icon = id(frm1());
    for (int answer : {rt::Cancel, rt::Yes}) {
        frm0().unload();
        h.ui.answers = {answer};
        EXPECT_EQ(ends([&] { for (int x : {RUp, LDown, LUp, LDbl, LUp}) tray(x); }), answer == rt::Yes);
        EXPECT_EQ(frm0().visible(), answer != rt::Yes);
    }
    EXPECT_EQ(h.ui.prompts().size(), 2u);
    EXPECT_EQ(calls("TrackSystemMenu"), Texts{"TrackSystemMenu " + icon + " 1000 760"});
}

TEST_F(TrayTest, ExitUnloadsItsWindowsTakesTheIconOutAndEndsOnEveryRequest) {
    std::vector<rt::Form*> gone{&core::frmSplash(), &online::frmPopUp(), &frmNwUSB(), &frm0()};
    for (rt::Form* f : gone) f->show();
    frmNwUScrn().show();
    h.sys.tray.calls.clear();
    gone.push_back(&frm1());
    for (int request = 0; request < 2; ++request) EXPECT_TRUE(ends([] { zManu().c("txtExit").append("1"); }));
    EXPECT_EQ(sent(), (Sent{Tray::Delete, Tray::Add, Tray::Modify, Tray::Delete}));
    for (rt::Form* f : gone) EXPECT_FALSE(f->loaded()) << f->name();
    EXPECT_TRUE(frmNwUScrn().loaded());
}

TEST_F(TrayTest, IconTurnsTheTraysMouseMessagesIntoEvents) {
    const struct { short sysMenu; std::vector<int> messages; int waitMs; Texts events; } rows[] = {
        {0, {LDown, LUp}, 499, {"Down1", "Up1", "Click1"}},
        {0, {LDown, LUp}, 500, {"Down1", "Up1", "Click1", "Single1"}},
        {0, {LDown, LUp, LDbl, LUp}, 5000, {"Down1", "Up1", "Click1", "Dbl1", "Up1", "Click1"}},
        {0, {LUp, LUp, LUp}, 5000, {"Up1", "Click1", "Up1", "Click1", "Up1", "Click1", "Single1"}},
        {0, {RDown, RUp, RDbl}, 0, {"Down2", "Up2", "Click2", "Dbl2"}},
        {-1, {RDown, RUp}, 0, {"Down2", "TrackSystemMenu"}},
        {0, {Move, 519, 511, 0x10000 | LDbl}, 0, {"Move", "Dbl1"}},
    };
    for (const auto& row : rows) {
        Texts events;
        auto& icon = frm1().ShellIcon1();
        auto log = [&](const char* name) { return [&events, name](int b) { events.push_back(name + std::to_string(b)); }; };
        icon.onMouseMove = [&] { events.push_back("Move"); };
        icon.onMouseDown = log("Down");
        icon.onMouseUp = log("Up");
        icon.onClick = log("Click");
        icon.onDblClick = log("Dbl");
        icon.onSingleClick = log("Single");
        icon.setSysMenu(row.sysMenu);
        h.sys.windows.onCall = [&](const std::string& call) { events.push_back(call.substr(0, call.find(' '))); };
        for (int x : row.messages) tray(x);
        h.clock.advance(row.waitMs);
        EXPECT_EQ(events, row.events);
        frm1().unload();
    }
}

TEST_F(TrayTest, IconGoesInAndOutOfTheTrayAsAskedAndCarriesItsTipAndPicture) {
    auto& icon = frm1().ShellIcon1();
    std::string text70;
    for (int i = 0; i < 70; ++i) text70.push_back(static_cast<char>('A' + i % 26));
    icon.Remove();
    icon.Remove();
    icon.setToolTipText(std::string(63, 'a'));
    icon.setIcon(rt::Picture{0x4242, "x"});
    for (short visible : {0, 0, -1, -1}) icon.setVisible(visible);
    icon.setToolTipText(text70);
    icon.setIcon(rt::Picture{0x4343, "y"});
    const unsigned restart = h.sys.windows.registerMessage("TaskbarCreated");
    EXPECT_TRUE(frm1().message(restart, 0, 0));
    icon.Remove();
    EXPECT_TRUE(frm1().message(restart, 0, 0));
    EXPECT_FALSE(frm1().message(0x0401, 1, LDown));
    EXPECT_EQ(sent(), (Sent{Tray::Delete, Tray::Delete, Tray::Add, Tray::Delete, Tray::Add, Tray::Modify, Tray::Modify,
                            Tray::Add, Tray::Delete}));
    const auto& calls = h.sys.tray.calls;
    EXPECT_EQ(calls[2].data.tip + std::to_string(calls[2].data.icon), std::string(63, 'a') + '\0' + "16962");
    EXPECT_EQ(calls[5].data.tip + std::to_string(calls[6].data.icon), text70.substr(0, 64) + "17219");
}

}  // namespace
}  // namespace tavlo::watch
