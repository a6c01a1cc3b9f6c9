#include "watch/Frm1.h"

#include "core/Frm0.h"
#include "core/Globals.h"
#include "runtime/ErrorReport.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"
#include "runtime/WindowCalls.h"

namespace tavlo::watch {

using core::globals;
using platform::DriveType;
using rt::False;
using rt::True;

Frm1& frm1() { return rt::app().instance<Frm1>(); }

// The tray icon's handlers are the form's: bound once, they stay while the
// icon is rebuilt on every load.
Frm1::Frm1() : Form("frm1"), shellIcon1_(*this) {
    shellIcon1_.onMouseDown = [this](int button) { ShowTrayMenu(button); };
    shellIcon1_.onClick = [this](int button) { ShowMainFromTray(button); };
    shellIcon1_.onDblClick = [this](int button) { ConfirmExitFromTray(button); };
    onMessage = [this](unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
        return shellIcon1_.windowMessage(msg, wParam, lParam);
    };
}

rt::FormDesign Frm1::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    // A title bar with a control box gives the window the system menu that
    // ShowSysMenu pops up; with no size, off the screen's bottom-right
    // corner, the window is never seen.
    d.border = rt::BorderStyle::Fixed;
    d.titleBar = true;
    d.controlBox = true;
    d.showInTaskbar = false;
    return d;
}

void Frm1::buildControls() {
    add({.kind = rt::Kind::Label, .name = "lblUsbTot", .left = 120, .top = 120, .width = 2400, .height = 255});
    add({.kind = rt::Kind::Label, .name = "lblStatus", .left = 120, .top = 480, .width = 2400, .height = 255});
    add({.kind = rt::Kind::TextBox, .name = "txtUnldAlrt", .left = 120, .top = 840, .width = 1215, .height = 285,
         .visible = false})
        .onChange = [this] { CloseUsbAlerts(); };
    addTimer("Tmr1us", 1, true).onTimer = [this] { PollUsbDrives(); };
}

// The icon reads its saved properties before the form's own Load runs.
void Frm1::onLoad() {
    shellIcon1_.Initialize();
    shellIcon1_.ReadProperties(ShellIcon1Properties());
    InitResidentForm();
}

void Frm1::onUnload() { shellIcon1_.Terminate(); }

ShellIcon& Frm1::ShellIcon1() {
    if (!loaded()) load();
    return shellIcon1_;
}

PropertyBag Frm1::ShellIcon1Properties() {
    PropertyBag bag;
    bag.write("Icon", kTrayIcon, "");
    bag.write("SysMenu", "0", "-1");
    return bag;
}

// lblUsbTot, the list of the previous tick, starts empty with every load.
void Frm1::InitResidentForm() {
    shellIcon1_.setToolTipText("Tavlo");
    setIcon(shellIcon1_.Icon());
    WatchedDrives.clear();
    for (char letter = 'D'; letter <= 'Z'; ++letter) WatchedDrives.push_back(std::string(1, letter) + ":");
    setHeight(0);
    setWidth(0);
    move(rt::app().ui().screenWidth() - width(), rt::app().ui().screenHeight() - height(), width(), height());
}

// One tick of the watch. Every failing statement is skipped and the next
// one runs; the poll never shows a message.
void Frm1::PollUsbDrives() {
    auto& g = globals();
    if (g.UsbWatchEnabled == False) return;
    rt::skipOnError([&] { timer("Tmr1us").setInterval(1000); });
    rt::skipOnError([&] { c("lblStatus").setCaption("No USB memory device"); });
    std::string list;
    listRemovableDrives(list);
    clearGoneDrives();

    std::string old;
    rt::skipOnError([&] { old = c("lblUsbTot").caption(); });
    const bool grown = list.size() > old.size();
    rt::skipOnError([&] { c("lblUsbTot").setCaption(list); });
    if (grown) showPlugAlert(list);
    if (list.empty() && !old.empty()) rt::skipOnError([&] { c("txtUnldAlrt").append("."); });
    triggerPendingScans();
}

// Marks every removable drive D: to Z: attached and lists it, "E:F:".
void Frm1::listRemovableDrives(std::string& list) {
    auto& files = rt::app().sys().files;
    const std::vector<std::string> drives = WatchedDrives;
    for (const std::string& drive : drives) {
        if (files.driveType(drive) != DriveType::Removable) continue;
        rt::skipOnError([&] { c("lblStatus").setCaption("USB memory device(s) Attached"); });
        rt::app().doEvents();
        list += drive;
        globals().DriveAttached[core::Globals::letterIndex(drive[0])] = True;
    }
}

// A letter whose drive has gone is neither attached nor scanned any more,
// so the stick is scanned again when it comes back.
void Frm1::clearGoneDrives() {
    auto& files = rt::app().sys().files;
    auto& g = globals();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const int index = core::Globals::letterIndex(letter);
        if (files.driveType(std::string(1, letter) + ":") != DriveType::Removable && g.DriveAttached[index] != False) {
            g.DriveAttached[index] = False;
            g.DriveScanned[index] = False;
        }
    }
}

// The alert of the style chosen at this moment, naming every removable drive.
void Frm1::showPlugAlert(const std::string& list) {
    rt::app().doEvents();
    const std::string message = "USB Memory Device Plugged (" + list + ")";
    if (globals().NotifyFullDesktop != False) {
        rt::skipOnError([&] { frmNwUScrn().c("lblMsg").setCaption(message); });
        rt::skipOnError([&] { frmNwUScrn().show(); });
        rt::skipOnError([&] { frmNwUScrn().c("txtmnScrn").append("."); });
    } else {
        rt::skipOnError([&] { frmNwUSB().c("lblMsg").setCaption(message); });
        rt::skipOnError([&] { frmNwUSB().show(); });
    }
}

// Starts the scan driver while a letter is pending. A tick that comes while
// a scan runs (during its yields) leaves the scan alone: the running call
// takes pending drives itself, and clearing AbortScanRequested then would
// cancel an abort the user has just asked for.
void Frm1::triggerPendingScans() {
    auto& g = globals();
    if (!g.anyPending() || g.ScanInProgress != False) return;
    g.AbortScanRequested = False;
    rt::skipOnError([] { core::frm0().c("txtNo1").append("."); });
}

// Closes the alerts and gives the main window back its ordinary state. When
// the main window sits inside the full-desktop alert, it is unloaded first
// and loaded anew once the alert is gone.
void Frm1::CloseUsbAlerts() {
    rt::ErrorReport report;
    if (globals().FullDesktopAlertShown != False) {
        report.step([] { core::frm0().unload(); }) && report.step([] { frmNwUScrn().unload(); }) &&
            report.step([] { core::frm0().show(); });
    } else {
        report.step([] { frmNwUSB().unload(); }) && report.step([] { frmNwUScrn().unload(); }) &&
            report.step([] { SetTopMost(core::frm0().hWnd(), False); });
    }
}

int Frm1::SetTopMost(rt::Handle hWnd, int topMost) {
    return rt::SetTopMost(hWnd, topMost);
}

}  // namespace tavlo::watch
