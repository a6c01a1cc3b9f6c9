#include "watch/FrmNwUScrn.h"

#include <cmath>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Mbttn.h"
#include "runtime/ErrorReport.h"
#include "watch/FrmNwUSB.h"
#include "watch/Translucency.h"
#include "runtime/WindowCalls.h"

namespace tavlo::watch {

using core::globals;
using rt::False;
using rt::Kind;
using rt::True;

namespace {

// A position computed in halves, as the window model takes it.
rt::Twips twips(double value) { return static_cast<rt::Twips>(std::lround(value)); }

constexpr rt::Twips kBandWidth = 50000;

}  // namespace

FrmNwUScrn& frmNwUScrn() { return rt::app().instance<FrmNwUScrn>(); }

FrmNwUScrn::FrmNwUScrn() : Form("frmNwUScrn") {}

rt::FormDesign FrmNwUScrn::formDesign() {
    rt::FormDesign d;
    d.caption = "";
    d.border = rt::BorderStyle::None;
    d.titleBar = false;
    d.controlBox = false;
    d.maximized = true;
    d.backColor = 0x80000015;
    d.icon = "alert_icon";
    return d;
}

// The bands stand where the load puts them, so that the layout that runs
// before the load has placed them already gives the host its final place;
// the load centres the icon and the buttons on the navy band.
void FrmNwUScrn::buildControls() {
    add({.kind = Kind::Picture, .name = "PicMDI1", .left = 0, .top = 1835, .width = 15360, .height = 9685,
         .backColor = 0x808080});
    add({.kind = Kind::Label, .name = "lblB2", .left = 0, .top = 1110, .width = 15360, .height = 400,
         .text = "Label2", .backColor = 0x00800000});
    add({.kind = Kind::Label, .name = "lblBk", .left = 0, .top = 1510, .width = 15360, .height = 325,
         .text = "Label1", .backColor = 0x000000C0});
    add({.kind = Kind::Label, .name = "lblMsg", .left = 360, .top = 1560, .width = 3735, .height = 225,
         .text = "USB Memory Device Pluged...", .foreColor = 0x80000009, .transparent = true,
         .font = {.name = "Arial", .size = 9.75}});
    add({.kind = Kind::Image, .name = "imgIcon", .left = 480, .top = 1110, .width = 480, .height = 480,
         .picture = "alert_image"});
    core::Mbttn::add(*this, {.name = "mbtnMode", .left = 3120, .top = 1110, .width = 1695, .height = 315},
                     core::mbttnLayout("Change to Popup", "alert_button"))
        .onClick = [this] { SwitchToSmallAlert(); };
    core::Mbttn::add(*this, {.name = "mbttn1", .left = 5160, .top = 1110, .width = 1335, .height = 315},
                     core::mbttnLayout("Main Window", "alert_button"))
        .onClick = [this] { EmbedMainWindow(); };
    core::Mbttn::add(*this, {.name = "mbtnClose", .left = 6840, .top = 1110, .width = 615, .height = 315},
                     core::mbttnLayout("Close", "alert_button"));
    add({.kind = Kind::TextBox, .name = "txtmnScrn", .visible = false}).onChange = [this] {
        BringMainWindowToFront();
    };
    addTimer("tmrRsiz", 1, true).onTimer = [this] { CenterAlertPanels(); };
    addTimer("tmrSett", 1, true).onTimer = [this] { SetAlertCaption(); };
}

void FrmNwUScrn::onLoad() { InitFullDesktopAlert(); }
void FrmNwUScrn::onUnload() { ReleaseMainWindow(); }
void FrmNwUScrn::onResize() { StartAlertLayout(); }

void FrmNwUScrn::InitFullDesktopAlert() {
    CenterAlertPanels();
    globals().FullDesktopAlertShown = True;
    auto& band = c("lblBk");
    auto& upper = c("lblB2");
    band.setCaption("");
    band.move(0, c("lblMsg").top() - 50, kBandWidth, band.height());
    upper.setCaption("");
    upper.move(0, band.top() - 400, band.width(), 400);
    const double buttonsTop = upper.top() + (upper.height() - c("mbttn1").height()) / 2.0;
    for (const char* name : {"mbttn1", "mbtnClose", "mbtnMode"}) c(name).setTop(twips(buttonsTop));
    auto& icon = c("imgIcon");
    icon.setTop(twips(upper.top() + (upper.height() - icon.height()) / 2.0));
    band.setHeight(c("lblMsg").height() + 100);
    frmNwUSB().setCaption("");
    MakeTranslucent(*this, 220);
    c("mbtnClose").setVisible(false);
    EmbedMainWindow();
    const rt::Handle main = core::frm0().hWnd();
    SetTopMost(hWnd(), False);
    SetTopMost(main, False);
    SetTopMost(hWnd(), True);
    SetTopMost(main, True);
}

// Every resize lays the host out again 10 ms later.
void FrmNwUScrn::StartAlertLayout() {
    auto& t = timer("tmrRsiz");
    t.setInterval(10);
    t.setEnabled(true);
}

// The host fills the window below the red band, without a border, in the
// window's colour.
void FrmNwUScrn::CenterAlertPanels() {
    auto& host = c("PicMDI1");
    auto& band = c("lblBk");
    const rt::Twips top = band.top() + band.height();
    host.move(0, top, width(), height() - top);
    host.setBackColor(backColor());
    timer("tmrRsiz").setEnabled(false);
}

void FrmNwUScrn::SetAlertCaption() {
    c("lblBk").setWidth(width());
    setCaption("USB Plugged");
    timer("tmrSett").setEnabled(false);
}

// Puts the main window into PicMDI1, centred 300 twips above the middle (at
// the corner on a small screen), and raises the alert's opacity to 240.
void FrmNwUScrn::EmbedMainWindow() {
    auto& host = c("PicMDI1");
    auto& main = core::frm0();
    host.setVisible(true);
    embeddedMain_ = main.hWnd();
    embeddedIn_ = host.hWnd();
    rt::app().sys().windows.setParent(embeddedMain_, embeddedIn_);
    main.show();
    if (rt::app().ui().screenWidth() < kCentringScreenWidth) {
        main.move(0, 0, main.width(), main.height());
    } else {
        main.move(twips((host.width() - main.width()) / 2.0), twips((host.height() - main.height()) / 2.0 - 300),
                  main.width(), main.height());
    }
    MakeWindowTranslucent(*this, 240);
}

void FrmNwUScrn::BringMainWindowToFront() {
    core::frm0().setVisible(true);
    SetTopMost(core::frm0().hWnd(), True);
}

// The alert mode setting stays as it is.
void FrmNwUScrn::SwitchToSmallAlert() {
    std::string message;
    rt::skipOnError([&] { message = c("lblMsg").caption(); });
    rt::skipOnError([&] { unload(); });
    rt::skipOnError([] { frmNwUSB().show(); });
    rt::skipOnError([&] { frmNwUSB().c("lblMsg").setCaption(message); });
}

void FrmNwUScrn::ReleaseMainWindow() {
    globals().FullDesktopAlertShown = False;
    SetTopMost(core::frm0().hWnd(), False);
    handBackMainWindow();
}

// The alert's window is about to go, and with it every window inside it: a
// main window still in PicMDI1 (the same window that EmbedMainWindow put
// there, not a fresh load of it) goes back to the desktop first.
void FrmNwUScrn::handBackMainWindow() {
    auto& main = core::frm0();
    const bool inside = embeddedMain_ != 0 && main.loaded() && main.hWnd() == embeddedMain_;
    if (inside) rt::app().sys().windows.setParent(embeddedMain_, 0);
    embeddedMain_ = embeddedIn_ = 0;
}

int FrmNwUScrn::SetTopMost(rt::Handle hWnd, int topMost) {
    return rt::SetTopMost(hWnd, topMost);
}

}  // namespace tavlo::watch
