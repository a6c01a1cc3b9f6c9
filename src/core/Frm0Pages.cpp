// The main window's page switch, its tabs, its one-shot start-up timers and
// its chrome: dragging, the resize grip, the exit button and the Info box.
#include "core/Frm0.h"
#include "core/Frm0Design.h"
#include "core/FrmSplash.h"
#include "runtime/WindowCalls.h"

namespace tavlo::core {

namespace ml = mainlayout;
using rt::Twips;

namespace {

const char* const kPageTabs[] = {"picBtnScn", "picBtnSet", "picBtnUpd", "picBtnAbo"};
const char* const kAboutLinks[] = {"lblLicAgr", "lblSupprt", "lblBug", "lblHelp"};

constexpr rt::Color kRed = 0x0000FF;
constexpr rt::Color kBlue = 0xFF0000;

}  // namespace

// Shows the page CurrentPage names, with its tab pressed into the page's
// bottom edge; any other name leaves every page hidden and no tab pressed.
void Frm0::SwitchPage() {
    c("imgArowD").setVisible(false);
    c("cmdDel").setVisible(false);
    c("cmdIgn").setVisible(false);
    c("picBtn0").setPicture(c("picBtn0pN").picture());
    for (const char* page : {"picHelp", "picRegs", "PicSett", "picScan"}) c(page).setVisible(false);
    for (const char* tab : kPageTabs) {
        c(tab).setHeight(c("picNrml").height());
        c(tab).setPicture(c("picNrml").picture());
    }
    auto& pages = c("picRegs");
    const Twips normalTop = pages.top() + pages.height() + ml::kTabGapBelowPage;
    const Twips pressedTop = pages.top() + pages.height() - ml::kTabReachIntoPage;
    for (const char* tab : kPageTabs) c(tab).setTop(normalTop);
    c("picBtn0").setTop(normalTop);
    c("picBtn0").setLeft(c("picScan").left() + c("picScan").width() - c("picBtn0").width());
    c("picExtBtn").setLeft(c("picBtn0").left());

    auto press = [&](const char* tab) {
        c(tab).setTop(pressedTop);
        c(tab).setHeight(c("picDown").height());
        c(tab).setPicture(c("picDown").picture());
    };
    if (CurrentPage == kScanPage) {
        press("picBtnScn");
        c("picScan").setVisible(true);
    } else if (CurrentPage == kSettingsPage) {
        press("picBtnSet");
        c("PicSett").setVisible(true);
    } else if (CurrentPage == kAboutPage) {
        press("picBtnUpd");
        press("picBtnAbo");
        c("picRegs").setVisible(true);
    } else if (CurrentPage == kHelpPage) {
        c("picHelp").setVisible(true);
        c("picBtn0").setPicture(c("picBtn0pD").picture());
    }
}

// A tab counts as pressed while its face is not the normal tab picture.
bool Frm0::tabPressed(const std::string& tab) {
    return c(tab).picture().handle != c("picNrml").picture().handle;
}

// The tab handlers: clicking the tab of the page already shown changes nothing.
void Frm0::openTabPage(const char* page, const std::string& tab) {
    CurrentPage = page;
    if (!tabPressed(tab)) SwitchPage();
}

void Frm0::OpenScanPage() { openTabPage(kScanPage, "picBtnScn"); }
void Frm0::OpenSettingsPage() { openTabPage(kSettingsPage, "picBtnSet"); }
void Frm0::OpenAboutPage() { openTabPage(kAboutPage, "picBtnAbo"); }
void Frm0::OpenUpdatePage() { openTabPage(kAboutPage, "picBtnUpd"); }

// The Help page is shown again even when it already shows.
void Frm0::OpenHelpPage() {
    CurrentPage = kHelpPage;
    SwitchPage();
}

void Frm0::OpenDefaultPage() {
    OpenHelpPage();
    timer("tmrDflt").setEnabled(false);
}

// A tick that comes while the settings load waits on a message does nothing.
void Frm0::StartSettingsLoad() {
    if (settingsLoading_) return;
    LoadMainSettings();
    timer("tmrconfig").setEnabled(false);
}

// Red and bold until the settings load shows the watch as active.
void Frm0::HighlightScannerStatus() {
    auto& status = c("lblActvt2");
    status.setVisible(true);
    status.setForeColor(kRed);
    status.setFontBold(true);
    timer("tmrWrnNrml").setEnabled(false);
}

// A left-button press on the bare window lets the system move it.
void Frm0::DragMainWindow(int button, int, Twips, Twips) {
    if (button != rt::LeftButton) return;
    rt::DragWithPointer(*this);
}

// The tell-a-friend panel moves inside the window the same way.
void Frm0::DragDialogPanel(int button, int, Twips, Twips) {
    if (button != rt::LeftButton) return;
    rt::StartSystemMove(c("picDlg").hWnd());
}

// The grip: while a button is held on it, each move grows or shrinks the
// window by the pointer's offset inside the grip, down to 10550 x 6840; the
// layout then puts the grip back into the corner.
void Frm0::ResizeMainWindow(GripEvent event, Twips x, Twips y) {
    switch (event) {
    case GripEvent::Down: ResizeGripDown = 1; return;
    case GripEvent::Up: ResizeGripDown = 0; return;
    case GripEvent::Move: break;
    }
    if (ResizeGripDown != 1) return;
    const Twips w = width() + x;
    setWidth(w < ml::kWidth ? ml::kWidth : w);
    const Twips h = height() + y;
    setHeight(h < ml::kGripMinHeight ? ml::kGripMinHeight : h);
}

// The exit button only hides the window: the program stays in the tray.
void Frm0::HideMainWindow() { setVisible(false); }

void Frm0::ShowInfoBox() {
    frmSplash().c("lblSplsInfo").setCaption("Info");
    frmSplash().show(true);
}

void Frm0::ResetLinkColors() {
    for (const char* link : kAboutLinks) c(link).setForeColor(kBlue);
}

}  // namespace tavlo::core
