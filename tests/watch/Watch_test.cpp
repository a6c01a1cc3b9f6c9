// The watch area: the tray form's poll, both alerts, the tray icon, its menu and
// the exit, on one fixture: a headless program with real settings and ignore
// databases, made-up window handles, the watch on and the small alert chosen.
#include <gtest/gtest.h>

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "online/FrmPopUp.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"
#include "watch/Translucency.h"
#include "watch/ZManu.h"

namespace tavlo::watch {
namespace {

using core::frm0;
using platform::Tray;
using rt::False;
using rt::True;
using Texts = std::vector<std::string>;
using Sent = std::vector<Tray::Message>;
using Box = std::vector<int>;

enum { Move = 512, LDown = 513, LUp = 514, LDbl = 515, RDown = 516, RUp = 517, RDbl = 518 };

Box box(rt::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }

struct WatchTest : tavlo::testing::StoreTest {
    core::Globals& g = core::globals();

    WatchTest() {
        makeConf();
        makeIgnore();
        h.ui.windowHandles = true;
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) core::frmSplash().timer(t).setEnabled(false);
        core::frmSplash().ConfigurationLoaded = True;
        frm0().load();
        h.clock.advance(20);
        g.UsbWatchEnabled = True;
        g.NotifyFullDesktop = False;
    }
    static std::string id(rt::Form& f) { return std::to_string(f.hWnd()); }
    Texts calls(const std::string& start) const {
        Texts found;
        for (const auto& call : h.sys.windows.calls)
            if (call.rfind(start, 0) == 0) found.push_back(call);
        return found;
    }
    Sent sent() const {
        Sent all;
        for (const auto& call : h.sys.tray.calls) all.push_back(call.message);
        return all;
    }
    // A stick with a risky file, which keeps the alerts open after its scan.
    void plug(char letter) {
        h.sys.files.setDrive(letter, platform::DriveType::Removable);
        h.sys.files.addFile(std::string(1, letter) + ":\\autorun.inf", 40);
    }
    // The shell's callback with a tray mouse message, as the tray form's window gets it.
    bool tray(int mouseMessage) {
        frm1().load();
        return frm1().message(512, 1, mouseMessage);
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
    // The next window call that starts with the text fails.
    void failOnce(const std::string& start) {
        h.sys.windows.onCall = [start, armed = true](const std::string& call) mutable {
            if (!armed || call.rfind(start, 0) != 0) return;
            armed = false;
            throw rt::Error("Access denied");
        };
    }
};

TEST_F(WatchTest, EveryLoadOfTheTrayFormStartsItAfresh) {
    for (int load = 0; load < 2; ++load) {
        h.sys.tray.calls.clear();
        frm1().load();
        EXPECT_EQ((Box{frm1().left(), frm1().top(), frm1().width(), frm1().height()}), (Box{15360, 11520, 0, 0}));
        const auto& drives = frm1().WatchedDrives;
        EXPECT_EQ(drives.front() + drives[1] + drives.back() + std::to_string(drives.size()), "D:E:Z:23");
        EXPECT_EQ(frm1().c("lblUsbTot").caption(), "");
        EXPECT_EQ(frm1().ShellIcon1().SysMenu(), False);
        ASSERT_EQ(sent(), (Sent{Tray::Add, Tray::Modify}));
        const auto& data = h.sys.tray.calls[1].data;
        EXPECT_EQ(data.tip + (data.icon ? "" : "no icon"), std::string("Tavlo") + '\0' + std::string(58, ' '));
        EXPECT_EQ((std::vector<std::uint64_t>{data.hWnd, data.id, data.flags, data.callbackMessage, data.icon}),
                  (std::vector<std::uint64_t>{frm1().hWnd(), 1, 7, 512, frm1().icon().handle}));
        frm1().c("lblUsbTot").setCaption("E:");
        frm1().ShellIcon1().setSysMenu(True);
        frm1().unload();
        EXPECT_FALSE(h.sys.tray.shown);
    }
}

// Sticks at each tick (and whether the full-desktop alert is chosen) -> the alerts (the full-desktop one
// with its trigger), the scanned objects' drives, the scan triggers, the alert closes, the attached and the
// scanned letters, the last tick's list.
struct Road { Texts ticks; bool fullDesktop; std::string expected; };
const Road kRoads[] = {
    {{"", ""}, false, "||||||"},
    {{"", "E", "E"}, false, "USB Memory Device Plugged (E:);|E|.||E|E|E:"},
    {{"CFE"}, false, "USB Memory Device Plugged (E:F:);|EF|.||EF|EF|E:F:"},  // C: is never polled
    {{"EF", "E", "EF"}, false,
     "USB Memory Device Plugged (E:F:);USB Memory Device Plugged (E:F:);|EFF|..||EF|EF|E:F:"},
    {{"Z", "", "", ""}, false, "USB Memory Device Plugged (Z:);|Z|.|.|||"},  // the last goes
    {{"E", "F"}, false, "USB Memory Device Plugged (E:);|EF|..||F|F|F:"},    // a swap within a tick
    {{"", "E", "E"}, true, "Full USB Memory Device Plugged (E:).;|E|.||E|E|E:"},
};
void PrintTo(const Road& road, std::ostream* os) { *os << road.expected; }
struct RoadTest : WatchTest, ::testing::WithParamInterface<Road> {};

TEST_P(RoadTest, EachTickListsTheSticksAlertsWhenTheListGrowsScansPendingOnesAndClosesOnTheLastRemoval) {
    const Texts& ticks = GetParam().ticks;
    g.NotifyFullDesktop = GetParam().fullDesktop ? True : False;
    frm1().load();
    std::string alerts, scanned, attached, marked;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        for (char l : std::string("CEFZ")) h.sys.files.removeDrive(l);
        for (char l : ticks[i]) plug(l);
        h.clock.advance(i == 0 ? 1 : 1000);
        if (frmNwUSB().loaded() && frmNwUSB().visible()) alerts += frmNwUSB().c("lblMsg").caption() + ";";
        auto& full = frmNwUScrn();
        if (full.loaded() && full.visible() && frm0().visible())
            alerts += "Full " + full.c("lblMsg").caption() + full.c("txtmnScrn").text() + ";";
        frmNwUSB().unload();
        full.unload();
    }
    auto& grid = frm0().grid("MsfInfectd");
    for (int r = 1; r < grid.rows(); ++r) scanned += grid.textMatrix(r, 1).substr(0, 1);
    for (char l = 'C'; l <= 'Z'; ++l) {
        if (g.DriveAttached[core::Globals::letterIndex(l)]) attached += l;
        if (g.DriveScanned[core::Globals::letterIndex(l)]) marked += l;
    }
    const std::string list = frm1().c("lblUsbTot").caption();
    EXPECT_EQ(alerts + "|" + scanned + "|" + frm0().c("txtNo1").text() + "|" + frm1().c("txtUnldAlrt").text() + "|" +
                  attached + "|" + marked + "|" + list,
              GetParam().expected);
    EXPECT_EQ(frm1().c("lblStatus").caption(), list.empty() ? "No USB memory device" : "USB memory device(s) Attached");
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1000);
}
INSTANTIATE_TEST_SUITE_P(Roads, RoadTest, ::testing::ValuesIn(kRoads));

// Off, the poll touches nothing. On, it yields for each stick and before the alert; a
// pending stick clears an abort and starts the scan unless one runs (the abort stays).
TEST_F(WatchTest, PollWaitsForTheWatchAndLeavesARunningScanAlone) {
    g.UsbWatchEnabled = False;
    plug('E');
    frm1().load();
    h.clock.advance(50);
    EXPECT_EQ(frm1().timer("Tmr1us").interval(), 1);
    EXPECT_EQ(frm1().c("lblStatus").caption() + frm1().c("lblUsbTot").caption(), "");
    g.UsbWatchEnabled = True;
    g.AbortScanRequested = g.ScanInProgress = True;
    const int yields = h.ui.doEventsCount;
    h.clock.advance(1);
    EXPECT_EQ(frm1().c("lblUsbTot").caption() + frm0().c("txtNo1").text() + std::to_string(g.AbortScanRequested) +
                  "|" + std::to_string(h.ui.doEventsCount - yields),
              "E:-1|2");
    g.ScanInProgress = False;
    h.clock.advance(1000);
    EXPECT_EQ(frm0().c("txtNo1").text() + std::to_string(g.AbortScanRequested), ".0");
}

// The main window inside the full-desktop alert comes back as a fresh load; else
// both alerts go and it stops being topmost. A failing step is reported (answer).
struct Closing { bool fullDesktop; int answer; bool alertLeft, mainShown, mainFresh; std::size_t topmostResets; };
const Closing kClosings[] = {
    {false, 0, false, false, false, 1},      {false, rt::Retry, false, false, false, 2},
    {true, 0, false, true, true, 1},         {true, rt::Retry, false, true, true, 2},
    {true, rt::Ignore, true, true, true, 1}, {true, rt::Abort, true, false, true, 1},
};
struct ClosingTest : WatchTest, ::testing::WithParamInterface<Closing> {};

TEST_P(ClosingTest, ClosingTheAlertsGivesTheMainWindowBackItsOrdinaryState) {
    const Closing& row = GetParam();
    frmNwUSB().show();
    if (row.fullDesktop) frmNwUScrn().show();
    const rt::Handle main = frm0().hWnd();
    if (row.answer) failOnce("SetWindowPos");
    h.ui.answers = {row.answer};
    frm1().c("txtUnldAlrt").append(".");
    EXPECT_EQ(h.ui.prompts(), row.answer ? Texts{"Access denied"} : Texts{});
    EXPECT_EQ((std::vector<bool>{frmNwUSB().loaded(), frmNwUScrn().loaded(), frm0().visible(), frm0().hWnd() != main}),
              (std::vector<bool>{row.fullDesktop, row.alertLeft, row.mainShown, row.mainFresh}));
    EXPECT_EQ(calls("SetWindowPos " + id(frm0()) + " -2 3").size(), row.topmostResets);
}
INSTANTIATE_TEST_SUITE_P(Closings, ClosingTest, ::testing::ValuesIn(kClosings));

// Once a scan call has closed the alerts, its later failures are reported:
// E: leaves nothing to act on, so its pass closes the alerts; F:'s pass fails.
TEST_F(WatchTest, ErrorsOfAScanCallAfterItClosedTheAlertsGoToTheErrorReport) {
    h.sys.files.addFile("F:\\a.exe", 5);
    for (char l : {'E', 'F'}) {
        h.sys.files.setDrive(l, platform::DriveType::Removable);
        g.DriveAttached[core::Globals::letterIndex(l)] = True;
    }
    frm0().c("txtLastRow").onChange = [] {
        if (!frm1().c("txtUnldAlrt").text().empty()) throw rt::Error("Access denied");
    };
    h.ui.answers = {rt::Ignore};
    frm0().c("txtNo1").append(".");
    EXPECT_EQ(h.ui.prompts(), Texts{"Access denied"});
    EXPECT_EQ(std::to_string(h.ui.dialogs.at(0).style) + " " + h.ui.dialogs[0].title, "18 An Error Occured");
    EXPECT_EQ(frm1().c("txtUnldAlrt").text(), ".");
    EXPECT_EQ(g.DriveScanned[core::Globals::letterIndex('F')], True);
}

// Every load lays the band and makes the window topmost; Main Window shows the
// main window; Close asks first; only a left press on the surface drags.
TEST_F(WatchTest, SmallAlert) {
    auto& a = frmNwUSB();
    for (int answer : {rt::Yes, rt::No}) {
        h.sys.windows.calls.clear();
        a.show();
        EXPECT_EQ((Box{a.width(), a.height()}), (Box{5300, 1800}));
        EXPECT_EQ(box(a.c("lblBk")), (Box{0, 190, 5300, 340}));
        EXPECT_EQ(a.caption() + a.c("lblBk").caption(), "USB Plugged");
        EXPECT_EQ(h.sys.windows.calls, (Texts{"SetWindowPos " + id(a) + " -2 3", "SetWindowPos " + id(a) + " -1 3"}));
        a.c("lblBk").setWidth(100);
        h.clock.advance(1);
        EXPECT_EQ((Box{a.c("lblBk").width(), a.timer("tmrSett").enabled()}), (Box{5300, false}));
        a.setCaption("");
        frm0().hide();
        a.c("mbttn1").click();
        EXPECT_TRUE(frm0().visible() && a.visible());
        h.ui.answers = {answer};
        a.c("mbtnClose").click();
        EXPECT_EQ(a.loaded(), answer == rt::No);
    }
    EXPECT_EQ(h.ui.prompts(), Texts(2, " It will close this window. Proceed?              "));
    EXPECT_EQ(h.ui.dialogs.at(1).style, 68);
    h.sys.windows.calls.clear();
    a.mouseDown(rt::RightButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, Texts{});
    a.mouseDown(rt::LeftButton, 0, 10, 10);
    EXPECT_EQ(h.sys.windows.calls, (Texts{"ReleaseCapture", "SendMessage " + id(a) + " 161 2 0"}));
}

// Each switch carries the message and keeps the style; each announcement brings
// the main window to the front; a resize lays the host out again 10 ms later.
TEST_F(WatchTest, SwitchingAlertsCarriesTheMessageAndTheFullDesktopAlertKeepsTheMainWindowInFront) {
    auto& full = frmNwUScrn();
    frmNwUSB().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
    for (int plug = 0; plug < 2; ++plug) {
        frm0().hide();
        h.sys.windows.calls.clear();
        plug ? full.c("txtmnScrn").append(".") : frmNwUSB().c("mbtnMode").click();
        EXPECT_TRUE(frm0().visible() && full.visible());
        EXPECT_EQ(h.sys.windows.calls.back(), "SetWindowPos " + id(frm0()) + " -1 3");
    }
    EXPECT_EQ(full.c("lblMsg").caption() + full.c("txtmnScrn").text(), "USB Memory Device Plugged (E:)..");
    EXPECT_EQ(full.timer("tmrRsiz").interval(), 10);
    full.c("PicMDI1").move(5, 5, 10, 10);
    h.clock.advance(10);
    EXPECT_EQ(box(full.c("PicMDI1")), (Box{0, 1835, 15360, 9685}));
    EXPECT_EQ(full.c("PicMDI1").backColor(), 0x80000015u);
    EXPECT_FALSE(full.timer("tmrRsiz").enabled());
    const std::string main = id(frm0());
    h.sys.windows.calls.clear();
    full.c("mbtnMode").click();
    EXPECT_EQ(h.sys.windows.calls, (Texts{"SetWindowPos " + main + " -2 3", "SetParent " + main + " 0"}));
    EXPECT_FALSE(full.loaded());
    EXPECT_EQ(frmNwUSB().caption() + frmNwUSB().c("lblMsg").caption() + (frmNwUSB().visible() ? "" : " hidden"),
              "USB Memory Device Plugged (E:)");
    EXPECT_EQ(g.NotifyFullDesktop, False);
}

// Every load lays the bands out, embeds the main window (at the corner below 12001
// twips of screen, else centred 300 above the middle) and raises both, it last.
TEST_F(WatchTest, EveryLoadOfTheFullDesktopAlertLaysItOutEmbedsTheMainWindowAndRaisesBoth) {
    auto& a = frmNwUScrn();
    const struct { rt::Twips screen, mainWidth, left, top; } rows[] = {
        {12000, 11000, 0, 0}, {12001, 10999, 501, 972}, {15360, 11000, 2180, 972}};
    for (const auto& row : rows) {
        h.ui.screenWidth_ = row.screen;
        frm0().move(0, 0, row.mainWidth, 7141);
        h.sys.windows.calls.clear();
        a.load();
        EXPECT_EQ(g.FullDesktopAlertShown, True);
        EXPECT_EQ(box(a.c("lblBk")), (Box{0, 1510, 50000, 325}));
        EXPECT_EQ(box(a.c("lblB2")), (Box{0, 1110, 50000, 400}));
        EXPECT_EQ(box(a.c("PicMDI1")), (Box{0, 1835, row.screen, 9685}));
        EXPECT_EQ((Box{a.c("mbttn1").top(), a.c("mbtnMode").top(), a.c("mbtnClose").top(), a.c("imgIcon").top()}),
                  (Box{1153, 1153, 1153, 1070}));
        EXPECT_EQ(a.c("lblBk").caption() + a.c("lblB2").caption() + a.caption() + frmNwUSB().caption(), "");
        EXPECT_FALSE(a.c("mbtnClose").visible() || frmNwUSB().visible());
        EXPECT_EQ((Box{frm0().left(), frm0().top(), frm0().visible()}), (Box{row.left, row.top, true})) << row.screen;
        const std::string me = id(a), main = id(frm0()), usb = id(frmNwUSB()), at = "SetWindowPos ";
        const std::string layered = "GetWindowLong " + me + " -20|SetWindowLong " + me + " -20 524288|";
        std::string seen;
        for (const auto& call : h.sys.windows.calls) seen += call + "|";
        EXPECT_EQ(seen, at + usb + " -2 3|" + at + usb + " -1 3|" + layered + "SetLayeredWindowAttributes " + me +
                            " 1 220 3|SetParent " + main + " " + std::to_string(a.c("PicMDI1").hWnd()) + "|" +
                            layered + "SetLayeredWindowAttributes " + me + " 1 240 3|" + at + me + " -2 3|" + at +
                            main + " -2 3|" + at + me + " -1 3|" + at + main + " -1 3|");
        h.clock.advance(1);
        EXPECT_EQ(a.caption(), "USB Plugged");
        EXPECT_EQ((Box{a.c("lblBk").width(), a.c("lblB2").width(), a.timer("tmrSett").enabled()}),
                  (Box{row.screen, 50000, false}));
        h.sys.windows.calls.clear();
        a.c("PicMDI1").setVisible(false);
        a.c("mbttn1").click();
        EXPECT_EQ(calls("SetParent").size() + calls("SetLayeredWindowAttributes " + me + " 1 240 3").size(), 2u);
        EXPECT_TRUE(a.c("PicMDI1").visible());
        frmNwUSB().unload();
        a.unload();
        EXPECT_EQ(g.FullDesktopAlertShown, False);
    }
    h.sys.windows.exStyles[a.hWnd()] = 0x8;  // what an alpha outside a byte is, and that layering keeps other styles
    EXPECT_THROW(MakeTranslucent(a, 256), rt::Error);
    EXPECT_THROW(MakeWindowTranslucent(a, -1), rt::Error);
    for (int alpha : {0, 255}) {
        MakeTranslucent(a, alpha);
        EXPECT_EQ((Box{h.sys.windows.alphas[a.hWnd()], int(h.sys.windows.exStyles[a.hWnd()])}), (Box{alpha, 0x80008}));
    }
}

TEST_F(WatchTest, RightPressOpensTheTrayMenuWhoseItemsDoTheirPart) {
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
        EXPECT_EQ(ends([&] { tray(RDown); }), row.ended) << row.item;
        EXPECT_EQ(h.ui.dialogs.at(0).kind + " " + h.ui.dialogs[0].prompt + " " + h.ui.dialogs[0].title,
                  "menu mnuPop frm1");
        EXPECT_EQ(frm0().visible(), row.mainShown);
    }
    EXPECT_EQ(h.ui.prompts(), Texts{"It will shut down Tavlo.\r\n** Your PC will be unprotected **"});
    EXPECT_EQ(h.ui.dialogs.at(1).style, 67);
}

// Either button's click shows the main window, loading it; a double click
// asks, and after Yes the tray form's system menu opens at the mouse first.
TEST_F(WatchTest, ClicksShowTheMainWindowAndADoubleClickAsksToShutDown) {
    h.sys.windows.cursor = {1000, 760};
    const std::string icon = id(frm1());
    for (int answer : {rt::Cancel, rt::Yes}) {
        frm0().unload();
        EXPECT_TRUE(tray(RUp) && frm0().visible());
        frm0().unload();
        h.ui.answers = {answer};
        EXPECT_EQ(ends([&] { for (int x : {LDown, LUp, LDbl, LUp}) tray(x); }), answer == rt::Yes);
        EXPECT_EQ(frm0().visible(), answer != rt::Yes);
    }
    EXPECT_EQ(calls("TrackSystemMenu"), Texts{"TrackSystemMenu " + icon + " 1000 760"});
}

TEST_F(WatchTest, ExitUnloadsItsWindowsTakesTheIconOutAndEndsOnEveryRequest) {
    std::vector<rt::Form*> gone{&core::frmSplash(), &online::frmPopUp(), &frmNwUSB(), &frm0(), &frm1()};
    for (rt::Form* f : gone) f->show();
    frmNwUScrn().show();
    h.sys.tray.calls.clear();
    for (int request = 0; request < 2; ++request) EXPECT_TRUE(ends([] { zManu().c("txtExit").append("1"); }));
    EXPECT_EQ(sent(), (Sent{Tray::Delete, Tray::Add, Tray::Modify, Tray::Delete}));
    for (rt::Form* f : gone) EXPECT_FALSE(f->loaded()) << f->name();
    EXPECT_TRUE(frmNwUScrn().loaded());
}

TEST_F(WatchTest, IconTurnsTheTraysMouseMessagesIntoEvents) {
    const struct { short sysMenu; std::vector<int> messages; int waitMs; Texts events; } rows[] = {
        {0, {}, 5000, {}}, {0, {LDown, LUp}, 499, {"Down1", "Up1", "Click1"}},
        {0, {LUp}, 500, {"Up1", "Click1", "Single1"}},
        {0, {LDown, LUp, LDbl, LUp}, 5000, {"Down1", "Up1", "Click1", "Dbl1", "Up1", "Click1"}},
        {0, {LUp, LUp, LUp}, 5000, {"Up1", "Click1", "Up1", "Click1", "Up1", "Click1", "Single1"}},
        {0, {RDown, RUp, RDbl}, 0, {"Down2", "Up2", "Click2", "Dbl2"}},
        {-1, {RDown, RUp}, 0, {"Down2", "TrackSystemMenu"}},
        {0, {Move, 519, 511, 0x10000 | LDbl}, 0, {"Move", "Dbl1"}},
    };
    for (const auto& row : rows) {
        Texts events;
        auto& icon = frm1().ShellIcon1();
        icon.onMouseMove = [&] { events.push_back("Move"); };
        for (auto [event, name] : {std::pair{&ShellIcon::onMouseDown, "Down"}, {&ShellIcon::onMouseUp, "Up"},
                                   {&ShellIcon::onClick, "Click"}, {&ShellIcon::onDblClick, "Dbl"},
                                   {&ShellIcon::onSingleClick, "Single"}})
            icon.*event = [&events, name = name](int b) { events.push_back(name + std::to_string(b)); };
        icon.setSysMenu(row.sysMenu);
        h.sys.windows.onCall = [&](const std::string& call) { events.push_back(call.substr(0, call.find(' '))); };
        for (int x : row.messages) EXPECT_TRUE(tray(x));
        h.clock.advance(row.waitMs);
        EXPECT_EQ(events, row.events);
        frm1().unload();
    }
}

TEST_F(WatchTest, IconGoesInAndOutOfTheTrayAsAskedAndCarriesItsTipAndPicture) {
    auto& icon = frm1().ShellIcon1();
    h.sys.tray.calls.clear();
    for (int twice = 0; twice < 2; ++twice) icon.Remove();
    icon.setToolTipText(std::string(63, 'a'));
    icon.setIcon(rt::Picture{0x4242, "x"});
    for (short visible : {0, 0, -1, -1}) icon.setVisible(visible);
    icon.setToolTipText(std::string(64, 'b') + "cdefgh");
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
    EXPECT_EQ(calls[5].data.tip + std::to_string(calls[6].data.icon), std::string(64, 'b') + "17219");
}

}  // namespace
}  // namespace tavlo::watch
