#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"
#include "watch/Frm1.h"
#include "watch/ShellIcon.h"

namespace tavlo::watch {
namespace {

using platform::Tray;

class IconHost : public rt::Form {
public:
    IconHost() : Form("frmIconHost"), icon(*this) {}
    ShellIcon icon;

protected:
    rt::FormDesign formDesign() override { return {}; }
    void buildControls() override {}
};

// Tray mouse messages as the callback carries them.
enum { Move = 512, LDown = 513, LUp = 514, LDbl = 515, RDown = 516, RUp = 517, RDbl = 518 };

struct ShellIconTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    IconHost& host = h.app().instance<IconHost>();
    ShellIcon& icon = host.icon;
    std::vector<std::string> events;

    void SetUp() override {
        host.load();
        icon.Initialize();
        icon.onMouseMove = [this] { events.push_back("MouseMove"); };
        icon.onMouseDown = [this](int b) { events.push_back("MouseDown " + std::to_string(b)); };
        icon.onMouseUp = [this](int b) { events.push_back("MouseUp " + std::to_string(b)); };
        icon.onDblClick = [this](int b) { events.push_back("DblClick " + std::to_string(b)); };
        icon.onClick = [this](int b) { events.push_back("Click " + std::to_string(b)); };
        icon.onSingleClick = [this](int b) { events.push_back("SingleClick " + std::to_string(b)); };
    }
    void callback(std::initializer_list<int> xs) {
        for (int x : xs) icon.TrayCallback(x);
    }
    std::vector<Tray::Message> messages() const {
        std::vector<Tray::Message> all;
        for (auto& call : h.sys.tray.calls) all.push_back(call.message);
        return all;
    }
    std::string sentTip() const { return h.sys.tray.calls.back().data.tip; }
    int systemMenus() const {
        int n = 0;
        for (auto& call : h.sys.windows.calls) n += call.rfind("TrackSystemMenu", 0) == 0;
        return n;
    }
};

TEST_F(ShellIconTest, TipIsTextZeroAndBlanksToSixtyFourCharactersCutAtSixtyFour) {
    icon.ReadProperties({});
    icon.setToolTipText("Tavlo");
    EXPECT_EQ(messages().back(), Tray::Modify);
    EXPECT_EQ(sentTip(), std::string("Tavlo") + '\0' + std::string(58, ' '));

    const std::string text63(63, 'a');
    icon.setToolTipText(text63);
    EXPECT_EQ(sentTip(), text63 + '\0');

    std::string text70;
    for (int i = 0; i < 70; ++i) text70.push_back(static_cast<char>('A' + i % 26));
    icon.setToolTipText(text70);
    EXPECT_EQ(sentTip(), text70.substr(0, 64));
    EXPECT_EQ(icon.ToolTipText(), text70.substr(0, 64));
}

TEST_F(ShellIconTest, RecordCarriesIconOneFlagsSevenAndTheCallbackMessage) {
    icon.ReadProperties({});
    const auto& data = h.sys.tray.calls.front().data;
    EXPECT_EQ(data.id, 1u);
    EXPECT_EQ(data.flags, 7u);
    EXPECT_EQ(data.callbackMessage, 512u);
    EXPECT_EQ(data.hWnd, host.hWnd());
    EXPECT_EQ(data.tip.size(), 64u);
}

TEST_F(ShellIconTest, LoadAddsTheIconWhateverVisibleHolds) {
    icon.ReadProperties({});
    EXPECT_EQ(icon.Visible(), rt::False);
    EXPECT_EQ(messages(), std::vector<Tray::Message>{Tray::Add});
    EXPECT_TRUE(icon.added());

    icon.Terminate();
    PropertyBag visible;
    visible.write("Visible", "-1", "0");
    icon.Initialize();
    icon.ReadProperties(visible);
    EXPECT_EQ(messages(), (std::vector<Tray::Message>{Tray::Add, Tray::Delete, Tray::Add}));
}

TEST_F(ShellIconTest, DesignerNeverAddsTheIcon) {
    icon.userMode = false;
    icon.ReadProperties({});
    icon.setVisible(rt::True);
    EXPECT_TRUE(h.sys.tray.calls.empty());
}

TEST_F(ShellIconTest, VisibleFalseAddsWhenOutOfTheTrayAndRemovesWhenIn) {
    icon.ReadProperties({});
    icon.Remove();
    h.sys.tray.calls.clear();
    icon.setVisible(rt::False);
    EXPECT_EQ(messages(), std::vector<Tray::Message>{Tray::Add});
    icon.setVisible(rt::False);
    EXPECT_EQ(messages(), (std::vector<Tray::Message>{Tray::Add, Tray::Delete}));
    EXPECT_FALSE(icon.added());
    icon.setVisible(rt::True);
    icon.setVisible(rt::True);
    EXPECT_EQ(messages().size(), 3u) << "True while in the tray changes nothing";
}

TEST_F(ShellIconTest, RemoveTwiceSendsTwoDeletesWithoutFailing) {
    icon.ReadProperties({});
    icon.Remove();
    EXPECT_NO_THROW(icon.Remove());
    EXPECT_EQ(messages(), (std::vector<Tray::Message>{Tray::Add, Tray::Delete, Tray::Delete}));
    EXPECT_FALSE(h.sys.tray.shown);
    icon.Terminate();
    EXPECT_EQ(messages().size(), 3u) << "nothing left to take out";
}

TEST_F(ShellIconTest, ChangesOutOfTheTrayAreKeptForTheNextAdd) {
    icon.ReadProperties({});
    icon.Remove();
    h.sys.tray.calls.clear();
    const rt::Picture picture{0x4242, "#1"};
    icon.setToolTipText("later");
    icon.setIcon(picture);
    EXPECT_TRUE(h.sys.tray.calls.empty());
    icon.setVisible(rt::True);
    ASSERT_EQ(messages(), std::vector<Tray::Message>{Tray::Add});
    EXPECT_EQ(h.sys.tray.calls[0].data.icon, 0x4242u);
    EXPECT_EQ(h.sys.tray.calls[0].data.tip.substr(0, 6), std::string("later") + '\0');

    icon.setIcon(rt::Picture{0x4343, "OTHER"});
    EXPECT_EQ(messages().back(), Tray::Modify);
    EXPECT_EQ(h.sys.tray.calls.back().data.icon, 0x4343u);
}

TEST_F(ShellIconTest, SingleLeftClickRaisesSingleClickHalfASecondLater) {
    icon.ReadProperties({});
    callback({LDown, LUp});
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 1", "MouseUp 1", "Click 1"}));
    h.clock.advance(499);
    EXPECT_EQ(events.size(), 3u);
    h.clock.advance(1);
    EXPECT_EQ(events.back(), "SingleClick 1");
    h.clock.advance(5000);
    EXPECT_EQ(events.size(), 4u);
}

TEST_F(ShellIconTest, DoubleClickRaisesNoSingleClick) {
    icon.ReadProperties({});
    callback({LDown, LUp, LDbl, LUp});
    h.clock.advance(5000);
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 1", "MouseUp 1", "Click 1", "DblClick 1", "MouseUp 1",
                                                "Click 1"}));
}

TEST_F(ShellIconTest, ThreeQuickClicksGiveOneSingleClickAfterTheThird) {
    icon.ReadProperties({});
    callback({LDown, LUp});
    h.clock.advance(100);
    callback({LDown, LUp});
    h.clock.advance(100);
    callback({LDown, LUp});
    h.clock.advance(499);
    EXPECT_EQ(std::count(events.begin(), events.end(), "SingleClick 1"), 0);
    h.clock.advance(1);
    h.clock.advance(5000);
    EXPECT_EQ(std::count(events.begin(), events.end(), "SingleClick 1"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click 1"), 3);
}

TEST_F(ShellIconTest, RightButtonWithoutSysMenuRaisesUpAndClick) {
    PropertyBag bag;
    bag.write("SysMenu", "0", "-1");
    icon.ReadProperties(bag);
    callback({RDown, RUp, RDbl});
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 2", "MouseUp 2", "Click 2", "DblClick 2"}));
    EXPECT_EQ(systemMenus(), 0);
}

TEST_F(ShellIconTest, RightButtonWithSysMenuShowsTheMenuAtTheCursorInstead) {
    icon.ReadProperties({});
    EXPECT_EQ(icon.SysMenu(), rt::True) << "the default";
    h.sys.windows.cursor = {640, 750};
    callback({RDown, RUp});
    EXPECT_EQ(events, std::vector<std::string>{"MouseDown 2"});
    ASSERT_EQ(systemMenus(), 1);
    EXPECT_EQ(h.sys.windows.calls.back(), "TrackSystemMenu " + std::to_string(host.hWnd()) + " 640 750");
}

TEST_F(ShellIconTest, ShowSysMenuUsesTheWindowGiven) {
    icon.ShowSysMenu(0x777);
    EXPECT_EQ(h.sys.windows.calls.back(), "TrackSystemMenu " + std::to_string(0x777) + " 100 200");
}

TEST_F(ShellIconTest, OtherMessagesAndMissingHandlersRaiseNothing) {
    icon.ReadProperties({});
    callback({Move, 519, 0, 1024});
    EXPECT_EQ(events, std::vector<std::string>{"MouseMove"});

    icon.onClick = nullptr;
    icon.onMouseDown = nullptr;
    icon.onMouseUp = nullptr;
    EXPECT_NO_THROW(callback({LDown, LUp}));
    EXPECT_TRUE(icon.tmrMenu().enabled());
}

TEST_F(ShellIconTest, WindowMessageCarriesTheMouseMessageInTheLowWordOfLParam) {
    icon.ReadProperties({});
    EXPECT_TRUE(icon.windowMessage(512, 1, 513));
    EXPECT_TRUE(icon.windowMessage(512, 1, 0x00010000 | 514));
    EXPECT_FALSE(icon.windowMessage(0x0401, 1, 513));
    EXPECT_EQ(events, (std::vector<std::string>{"MouseDown 1", "MouseUp 1", "Click 1"}));
}

TEST_F(ShellIconTest, ShellRestartAddsAnIconThatWasInTheTrayAgain) {
    icon.ReadProperties({});
    const unsigned restart = h.sys.windows.registerMessage("TaskbarCreated");
    h.sys.tray.shown = false;  // the new shell starts with an empty tray
    EXPECT_TRUE(icon.windowMessage(restart, 0, 0));
    EXPECT_EQ(messages(), (std::vector<Tray::Message>{Tray::Add, Tray::Add}));
    EXPECT_TRUE(h.sys.tray.shown);

    icon.Remove();
    icon.windowMessage(restart, 0, 0);
    EXPECT_EQ(messages().back(), Tray::Delete) << "a removed icon stays out";
}

TEST(PropertyBagTest, DefaultsAreNotStoredAndReadBack) {
    PropertyBag bag;
    bag.write("ToolTipText", "", "");
    bag.write("Visible", "0", "0");
    bag.write("SysMenu", "0", "-1");
    bag.write("SysMenu", "0", "-1");
    EXPECT_EQ(bag.entries(), (std::vector<std::pair<std::string, std::string>>{{"SysMenu", "0"}}));
    EXPECT_EQ(bag.read("ToolTipText", "x"), "x");
    EXPECT_EQ(bag.read("SysMenu", "-1"), "0");
}

TEST_F(ShellIconTest, WrittenPropertiesLoadIntoTheSameState) {
    icon.ReadProperties({});
    icon.setToolTipText("Tavlo");
    icon.setIcon(h.ui.loadPicture("#1"));
    icon.setSysMenu(rt::False);
    PropertyBag bag;
    icon.WriteProperties(bag);
    EXPECT_FALSE(bag.has("Visible"));

    ShellIcon other(host);
    other.Initialize();
    other.ReadProperties(bag);
    EXPECT_EQ(other.ToolTipText(), ShellIcon::tipField("Tavlo"));
    EXPECT_EQ(other.Icon().resource, "#1");
    EXPECT_EQ(other.SysMenu(), rt::False);
    EXPECT_EQ(other.Visible(), rt::False);
}

TEST(Frm1IconTest, TrayFormStoresTheProgramIconAndNoSystemMenu) {
    const PropertyBag bag = Frm1::ShellIcon1Properties();
    EXPECT_EQ(bag.read("Icon", ""), Frm1::kTrayIcon);
    EXPECT_EQ(bag.read("SysMenu", "-1"), "0");
    EXPECT_FALSE(bag.has("ToolTipText"));
    EXPECT_FALSE(bag.has("Visible"));
}

}  // namespace
}  // namespace tavlo::watch
