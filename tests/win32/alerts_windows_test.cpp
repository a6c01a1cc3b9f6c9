// The alerts as real windows: the full-desktop alert is layered and topmost
// and holds the main window, a question asked in it stands above it and
// outlives it, a box holds every window of the program, and the small
// alert's client area lands at its twips; and the tray calls where there is
// no notification area.
#include "WineHost.h"

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "runtime/ErrorReport.h"
#include "runtime/Timer.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"

namespace tavlo::rt::win32::test {
namespace {

using watch::frmNwUScrn;
using watch::frmNwUSB;

struct AlertsTest : Win32Test {
    // The main window takes the splash window's icon, which loads the
    // splash; its unload at the end would complain, with a box nobody answers.
    ~AlertsTest() override { core::frmSplash().ConfigurationLoaded = True; }
    void plugFullDesktop() {
        frmNwUScrn().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
        frmNwUScrn().show();
        frmNwUScrn().c("txtmnScrn").append(".");
        pump();
        stopAllTimers();  // the main window's settings load stays out of these tests
    }
};

// The alert is layered and topmost, with the main window inside. The user can
// see and answer a question asked there; the alert closing meanwhile (the
// stick pulled) does not take the open question with it.
TEST_F(AlertsTest, QuestionAskedInTheFullDesktopAlertStandsAboveItAndOutlivesIt) {
    plugFullDesktop();
    wine_host::TempFolder stick{"alerts"};
    const std::string risky = stick / "x.exe";
    wine_host::makeFile(risky, 10);
    const std::vector<std::string> row{"", risky, "Risky", "Ignore", "Delete", risky};
    core::frm0().grid("MsfInfectd").setRows(2);
    for (int col = 1; col <= 5; ++col) core::frm0().grid("MsfInfectd").setTextMatrix(1, col, row[col]);
    HWND alert = hwnd(frmNwUScrn().hWnd());
    EXPECT_EQ(GetAncestor(hwnd(core::frm0().hWnd()), GA_PARENT), hwnd(frmNwUScrn().c("PicMDI1").hWnd()));
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(alert, &key, &alpha, &flags));
    EXPECT_EQ(std::tuple(key, alpha, flags), std::tuple(COLORREF{1}, BYTE{240}, DWORD{LWA_COLORKEY | LWA_ALPHA}));
    EXPECT_EQ(GetWindowLongW(alert, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOPMOST), WS_EX_LAYERED | WS_EX_TOPMOST);
    std::atomic<bool> onTop{false};
    std::atomic<HWND> owner{nullptr};
    BoxCloser first(L"Tavlo", IDNO, [&](HWND box) {
        for (HWND h = GetWindow(box, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) onTop = onTop || h == alert;
        owner = GetWindow(box, GW_OWNER);
        return true;
    });
    core::frm0().c("cmdDeltAll").click();
    EXPECT_EQ(first.text(), L"Confirm remove all items                    ");
    EXPECT_TRUE(onTop);
    EXPECT_EQ(owner, alert);

    form().timer("tmrA").onTimer = [this] {
        form().timer("tmrA").setEnabled(false);
        frmNwUScrn().unload();
    };
    form().timer("tmrA").setEnabled(true);
    std::atomic<int> waited{0};
    BoxCloser second(L"Tavlo", IDNO, [&](HWND) { return !IsWindowVisible(alert) && ++waited > 20; });
    core::frm0().c("cmdDeltAll").click();
    EXPECT_EQ(second.text(), L"Confirm remove all items                    ");
    pump();
    EXPECT_TRUE(wine_host::onDisk(risky) && core::frm0().grid("MsfInfectd").textMatrix(1, 4) == "Delete");
    EXPECT_FALSE(IsWindow(alert));
    EXPECT_EQ(GetAncestor(hwnd(core::frm0().hWnd()), GA_PARENT), GetDesktopWindow());
}

// While a box is up no window of the program takes input, whether a window
// shows to own the box or not: neither the main window hidden when the box
// opened nor one loaded meanwhile, shown by a click on the tray icon; it goes
// behind the box, which keeps the keyboard. Every window takes input again
// once the box is answered.
TEST_F(AlertsTest, BoxHoldsTheMainWindowShownFromTheTrayMeanwhile) {
    struct Box {
        const wchar_t *title, *cls;
        int answer;
        std::function<void()> ask;
    };
    const Box boxes[] = {
        {L"Tavlo", L"#32770", IDNO, [] { frmNwUSB().c("mbtnClose").click(); }},
        {L"An Error Occured", L"#32770", IDIGNORE, [] { ErrorReport().step([] { throw Error("Disk full"); }); }},
        {L"Tavlo", L"TavloInputBox", IDCANCEL, [this] { app().inputBox("Path?"); }},
        {L"Tavlo", L"#32770", IDCANCEL, [] {  // no window shows: the box has no owner
             frmNwUSB().hide();
             watch::frm1().ConfirmExitFromTray(LeftButton);
         }},
    };
    HWND tray = hwnd(watch::frm1().hWnd());
    for (const Box& box : boxes) {
        for (bool loaded : {true, false}) {
            frmNwUSB().show();
            if (loaded) core::frm0().load();
            stopAllTimers();
            std::atomic<bool> held{false}, below{false};
            std::atomic<HWND> main{nullptr};
            auto& t = form().timer("tmrA");
            t.onTimer = [&] {
                t.setEnabled(false);
                SendMessageW(tray, 512, 0, WM_LBUTTONUP);  // the tray's callback: a left click
                stopAllTimers();
                HWND shown = hwnd(core::frm0().hWnd());
                held = IsWindowVisible(shown) && !IsWindowEnabled(shown) && !IsWindowEnabled(tray) &&
                       GetActiveWindow() != shown;
                main = shown;
            };
            t.setEnabled(true);
            BoxCloser closer(box.title, box.answer, [&](HWND b) {
                if (!main) return false;
                for (HWND h = GetWindow(b, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) below = below || h == main;
                return true;
            }, box.cls);
            box.ask();
            EXPECT_TRUE(held && below) << box.title << " " << loaded;
            for (HWND h : {hwnd(core::frm0().hWnd()), tray, hwnd(frmNwUSB().hWnd())}) EXPECT_TRUE(IsWindowEnabled(h));
            core::frm0().unload();
        }
    }
}

TEST_F(AlertsTest, SmallAlertsClientAreaLandsAtItsTwips) {
    frmNwUSB().show();
    pump();
    HWND alert = hwnd(frmNwUSB().hWnd());
    POINT client{0, 0};
    ClientToScreen(alert, &client);
    EXPECT_EQ(std::pair(client.x, client.y), std::pair(LONG(px(255)), LONG(px(1695))));
    RECT outer;
    GetWindowRect(alert, &outer);
    EXPECT_EQ(std::pair(outer.right - outer.left, outer.bottom - outer.top), std::pair(LONG(px(5300)), LONG(px(1800))));
    const LONG style = GetWindowLongW(alert, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
}

// Without a notification area (the null display driver) the calls fail and
// nothing else happens; the tray itself is tried under Xvfb. The tip goes in
// cut to 63 bytes.
TEST(Tray, CallsFailQuietlyWithoutANotificationAreaAndTheTipIsCut) {
    platform::win32::Win32Tray tray;
    platform::TrayIconData data;
    for (auto message : {platform::Tray::Add, platform::Tray::Modify, platform::Tray::Delete})
        EXPECT_FALSE(tray.notify(message, data));
    const std::string a63(63, 'a'), b70(70, 'b');
    for (auto [tip, shown] : {std::pair{std::string("Tavlo"), std::string("Tavlo")}, {a63, a63}, {b70, b70.substr(7)}})
        EXPECT_EQ(std::string(platform::win32::trayTip(tip).data(), 64), shown + std::string(64 - shown.size(), '\0'));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
