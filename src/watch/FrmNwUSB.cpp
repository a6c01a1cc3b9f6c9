#include "watch/FrmNwUSB.h"

#include "core/Frm0.h"
#include "core/Mbttn.h"
#include "runtime/ErrorReport.h"
#include "watch/FrmNwUScrn.h"
#include "runtime/WindowCalls.h"

namespace tavlo::watch {

using rt::False;
using rt::Kind;
using rt::True;

FrmNwUSB& frmNwUSB() { return rt::app().instance<FrmNwUSB>(); }

FrmNwUSB::FrmNwUSB() : Form("frmNwUSB") {
    onMouseDown = [this](int button, int, rt::Twips, rt::Twips) { DragSmallAlert(button); };
}

rt::FormDesign FrmNwUSB::formDesign() {
    rt::FormDesign d;
    d.caption = "USB Plugged";
    d.width = 5300;
    d.height = 1800;
    d.left = 255;
    d.top = 1695;
    d.placesClientArea = true;
    d.border = rt::BorderStyle::Fixed;
    d.backColor = 0x8000000F;
    d.icon = "alert_icon";
    return d;
}

// From the back: the red band, the icon over its left end, the message on
// it, the buttons, and the note under the Close button.
void FrmNwUSB::buildControls() {
    add({.kind = Kind::Label, .name = "lblBk", .left = 0, .top = 0, .width = 5300, .height = 340,
         .text = "Label2", .backColor = 0x000000C0});
    add({.kind = Kind::Image, .name = "Image2", .left = 120, .top = 120, .width = 480, .height = 480,
         .picture = "alert_image"});
    add({.kind = Kind::Label, .name = "lblMsg", .left = 720, .top = 240, .width = 3735, .height = 240,
         .text = "USB Memory Device Pluged...", .foreColor = 0x80000009, .transparent = true,
         .font = {.name = "Arial", .size = 9.75}});
    core::Mbttn::add(*this, {.name = "mbttn1", .left = 120, .top = 840, .width = 1335, .height = 315},
                     core::mbttnLayout("Main Window", "alert_button"))
        .onClick = [this] { ShowMainFromAlert(); };
    core::Mbttn::add(*this, {.name = "mbtnMode", .left = 1680, .top = 840, .width = 1815, .height = 315},
                     core::mbttnLayout("Change to Full Screen", "alert_button"))
        .onClick = [this] { SwitchToFullDesktopAlert(); };
    core::Mbttn::add(*this, {.name = "mbtnClose", .left = 3720, .top = 840, .width = 855, .height = 315},
                     core::mbttnLayout("Close", "alert_button"))
        .onClick = [this] { ConfirmCloseSmallAlert(); };
    add({.kind = Kind::Label, .name = "Label1", .left = 3720, .top = 1200, .width = 1380, .height = 195,
         .text = "Not Recommanded", .transparent = true});
    addTimer("tmrSett", 1, true).onTimer = [this] { WidenSmallAlertBand(); };
}

void FrmNwUSB::onLoad() { InitSmallAlert(); }

// Each load gives the window its 5300 x 1800 twips (formDesign). The band
// behind the message runs across the whole window, 50 twips above and below
// the message.
void FrmNwUSB::InitSmallAlert() {
    auto& band = c("lblBk");
    auto& message = c("lblMsg");
    band.setCaption("");
    band.move(0, message.top() - 50, width(), message.height() + 100);
    SetTopMost(hWnd(), False);
    SetTopMost(hWnd(), True);
}

void FrmNwUSB::WidenSmallAlertBand() {
    c("lblBk").setWidth(width());
    timer("tmrSett").setEnabled(false);
}

void FrmNwUSB::ConfirmCloseSmallAlert() {
    if (rt::app().msgBox(kClosePrompt, rt::YesNo | rt::Information) == rt::Yes) unload();
}

// The full-desktop alert takes the message; its load embeds the main window.
// The alert mode setting stays as it is.
void FrmNwUSB::SwitchToFullDesktopAlert() {
    const std::string message = c("lblMsg").caption();
    unload();
    rt::skipOnError([&] { frmNwUScrn().c("lblMsg").setCaption(message); });
    rt::skipOnError([] { frmNwUScrn().show(); });
    rt::skipOnError([] { frmNwUScrn().c("txtmnScrn").append("."); });
}

void FrmNwUSB::ShowMainFromAlert() {
    rt::skipOnError([] { core::frm0().show(); });
}

// A left press on the window's own surface moves the window with the mouse.
void FrmNwUSB::DragSmallAlert(int button) {
    if (button != rt::LeftButton) return;
    rt::DragWithPointer(*this);
}

int FrmNwUSB::SetTopMost(rt::Handle hWnd, int topMost) {
    return rt::SetTopMost(hWnd, topMost);
}

}  // namespace tavlo::watch
