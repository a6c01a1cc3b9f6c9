#include "WatchTest.h"

#include "online/FrmPopUp.h"

namespace tavlo::watch {
namespace {

using platform::Tray;
using platform::fake::ProgramEnded;

enum { Move = 512, LDown = 513, LUp = 514, LDbl = 515, RDown = 516, RUp = 517, RDbl = 518 };

struct TrayTest : WatchTest {
    TrayTest() {
        frm1().load();
        h.sys.tray.calls.clear();
    }
    // Runs the action; true when the program ended (code 0, the icon out of the tray).
    template <class Action>
    bool ends(Action&& action) {
        try {
            action();
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.code, 0);
            EXPECT_FALSE(h.sys.tray.shown);
            return true;
        }
        EXPECT_TRUE(h.sys.tray.shown);
        return false;
    }
    std::vector<Tray::Message> sent() const {
        std::vector<Tray::Message> all;
        for (const auto& call : h.sys.tray.calls) all.push_back(call.message);
        return all;
    }
};

TEST_F(TrayTest, RightPressOpensTheTrayMenuAndEachItemDoesItsPart) {
    Texts items;
    zManu().load();
    for (auto& c : zManu().controls())
        if (c->kind() == rt::Kind::Menu && c->containerName() == "mnuPop") items.push_back(c->caption());
    EXPECT_EQ(items, (Texts{"Main Window", "-", "Shut Down Dravix", "-", "Hide Menu"}));
    const struct { const char* item; int answer; bool mainShown, ended; } rows[] = {
        {"mnuClose", 0, false, false}, {"mnuD", 0, true, false}, {"mnuExit", rt::No, false, false},
        {"mnuExit", rt::Cancel, false, false}, {"mnuExit", rt::Yes, false, true}};
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
        EXPECT_EQ(h.ui.prompts().size(), row.answer ? 1u : 0u);
        EXPECT_TRUE(calls("TrackSystemMenu").empty());
    }
    EXPECT_EQ(h.ui.prompts(), Texts{"It will shut down Tavlo.\r\n** Your PC will be unprotected **"});
    EXPECT_EQ(h.ui.dialogs[1].style, 67);
    EXPECT_EQ(h.ui.dialogs[1].title, "Tavlo");
}

TEST_F(TrayTest, ClickOfEitherButtonShowsTheMainWindowLoadingItIfNeeded) {
    for (int release : {LUp, RUp}) {
        frm0().unload();
        tray(release);
        EXPECT_TRUE(frm0().visible()) << release;
    }
    EXPECT_TRUE(calls("TrackSystemMenu").empty());
}

TEST_F(TrayTest, DoubleClickAsksAndAfterYesOpensTheSystemMenuAtTheMouseThenEnds) {
    h.sys.windows.cursor = {1000, 760};
    const std::string icon = id(frm1());
    for (int answer : {rt::No, rt::Cancel, rt::Yes}) {
        h.ui.answers = {answer};
        EXPECT_EQ(ends([&] { for (int x : {LDown, LUp, LDbl, LUp}) tray(x); }), answer == rt::Yes);
    }
    EXPECT_EQ(h.ui.prompts().size(), 3u);
    EXPECT_EQ(h.ui.dialogs[2].style, 67);
    EXPECT_EQ(calls("TrackSystemMenu"), Texts{"TrackSystemMenu " + icon + " 1000 760"});
}

TEST_F(TrayTest, ExitUnloadsItsWindowsTakesTheIconOutAndEndsOnEveryRequest) {
    for (rt::Form* f : std::initializer_list<rt::Form*>{&core::frmSplash(), &online::frmPopUp(), &frmNwUSB(),
                                                        &frmNwUScrn(), &frm0()})
        f->show();
    h.sys.tray.calls.clear();
    EXPECT_TRUE(ends([] { zManu().c("txtExit").append("1"); }));
    EXPECT_EQ(sent(), std::vector<Tray::Message>{Tray::Delete});
    for (rt::Form* f : std::initializer_list<rt::Form*>{&core::frmSplash(), &online::frmPopUp(), &frmNwUSB(),
                                                        &frm0(), &frm1()})
        EXPECT_FALSE(f->loaded()) << f->name();
    EXPECT_TRUE(frmNwUScrn().loaded());
    EXPECT_TRUE(ends([] { zManu().c("txtExit").append("1"); }));
}

// The tray's mouse messages, and the events the icon raises for them.
TEST_F(TrayTest, IconTurnsTheTraysMouseMessagesIntoEvents) {
    const struct { short sysMenu; std::vector<int> messages; int waitMs; Texts events; int systemMenus; } rows[] = {
        {0, {LDown, LUp}, 499, {"Down 1", "Up 1", "Click 1"}, 0},
        {0, {LDown, LUp}, 500, {"Down 1", "Up 1", "Click 1", "Single 1"}, 0},
        {0, {LDown, LUp, LDbl, LUp}, 5000, {"Down 1", "Up 1", "Click 1", "Dbl 1", "Up 1", "Click 1"}, 0},
        {0, {LUp, LUp, LUp}, 5000, {"Up 1", "Click 1", "Up 1", "Click 1", "Up 1", "Click 1", "Single 1"}, 0},
        {0, {RDown, RUp, RDbl}, 0, {"Down 2", "Up 2", "Click 2", "Dbl 2"}, 0},
        {-1, {RDown, RUp}, 0, {"Down 2"}, 1},
        {0, {Move, 519, 511, 0x10000 | LDbl}, 0, {"Move", "Dbl 1"}, 0},
    };
    for (const auto& row : rows) {
        Texts events;
        auto& icon = frm1().ShellIcon1();
        auto log = [&](const char* name) { return [&events, name](int b) { events.push_back(name + (" " + std::to_string(b))); }; };
        icon.onMouseMove = [&] { events.push_back("Move"); };
        icon.onMouseDown = log("Down");
        icon.onMouseUp = log("Up");
        icon.onClick = log("Click");
        icon.onDblClick = log("Dbl");
        icon.onSingleClick = log("Single");
        icon.setSysMenu(row.sysMenu);
        h.sys.windows.calls.clear();
        for (int x : row.messages) tray(x);
        h.clock.advance(row.waitMs);
        EXPECT_EQ(events, row.events);
        EXPECT_EQ(calls("TrackSystemMenu").size(), static_cast<std::size_t>(row.systemMenus));
        frm1().unload();
    }
}

TEST_F(TrayTest, IconGoesInAndOutOfTheTrayAsAskedAndCarriesItsTipAndPicture) {
    auto& icon = frm1().ShellIcon1();
    icon.Remove();
    icon.Remove();
    icon.setToolTipText(std::string(63, 'a'));
    icon.setIcon(rt::Picture{0x4242, "x"});
    icon.setVisible(rt::False);
    icon.setVisible(rt::False);
    icon.setVisible(rt::True);
    icon.setVisible(rt::True);
    EXPECT_EQ(sent(), (std::vector<Tray::Message>{Tray::Delete, Tray::Delete, Tray::Add, Tray::Delete, Tray::Add}));
    EXPECT_EQ(h.sys.tray.calls[2].data.tip, std::string(63, 'a') + '\0');
    EXPECT_EQ(h.sys.tray.calls[2].data.icon, 0x4242u);
    std::string text70;
    for (int i = 0; i < 70; ++i) text70.push_back(static_cast<char>('A' + i % 26));
    icon.setToolTipText(text70);
    icon.setIcon(rt::Picture{0x4343, "y"});
    EXPECT_EQ(sent().back(), Tray::Modify);
    EXPECT_EQ(h.sys.tray.calls.back().data.tip, text70.substr(0, 64));
    EXPECT_EQ(h.sys.tray.calls.back().data.icon, 0x4343u);
    const unsigned restart = h.sys.windows.registerMessage("TaskbarCreated");
    h.sys.tray.shown = false;
    EXPECT_TRUE(frm1().message(restart, 0, 0));
    EXPECT_EQ(sent().back(), Tray::Add);
    icon.Remove();
    EXPECT_TRUE(frm1().message(restart, 0, 0));
    EXPECT_FALSE(frm1().message(0x0401, 1, LDown));
    EXPECT_EQ(sent().back(), Tray::Delete);
}

}  // namespace
}  // namespace tavlo::watch
