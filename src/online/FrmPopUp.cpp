#include "online/FrmPopUp.h"

#include "online/Server.h"
#include "runtime/ErrorReport.h"
#include "runtime/WindowCalls.h"

namespace tavlo::online {

namespace {

using rt::Kind;

constexpr int kHandPointer = 99;
constexpr rt::Color kWindowColor = 0x80000005;  // the system's window colour
constexpr rt::Color kLinkBlue = 0xFF0000;
constexpr rt::Color kCloseColor = 0x0040C0;

// Enables a timer unless it runs already: a running timer keeps its count.
void keepRunning(rt::Timer& timer) {
    if (!timer.enabled()) timer.setEnabled(true);
}

}  // namespace

FrmPopUp& frmPopUp() { return rt::app().instance<FrmPopUp>(); }

FrmPopUp::FrmPopUp() : Form("frmPopUp") {}

// A thin fixed frame without a title bar, off the screen's right edge until
// the load places it; it never shows in the taskbar.
rt::FormDesign FrmPopUp::formDesign() {
    rt::FormDesign d;
    d.caption = "";
    d.width = kWidth;
    d.height = kHeight;
    d.left = rt::app().ui().screenWidth();
    d.top = 0;
    d.border = rt::BorderStyle::Fixed;
    d.titleBar = false;
    d.controlBox = false;
    d.showInTaskbar = false;
    d.backColor = kWindowColor;
    return d;
}

void FrmPopUp::buildControls() {
    onMouseDown = [this](int button, int, rt::Twips, rt::Twips) { DragPopUp(button); };
    // The window's picture: covers the whole window once set, and takes the
    // window's own mouse events.
    auto& back = add({.kind = Kind::Image, .name = "imgPicture", .width = kWidth, .height = kHeight,
                      .visible = false});
    back.onMouseDown = [this](int button, int, rt::Twips, rt::Twips) { DragPopUp(button); };
    back.onDblClick = [this] { unload(); };
    // The picture store: lies below the window, never seen.
    add({.kind = Kind::Image, .name = "imgNwVer", .left = 0, .top = kHeight + 600, .width = 3990, .height = 900,
         .picture = "popup_back"});
    buildLabels();
    buildTimers();
}

void FrmPopUp::buildLabels() {
    add({.kind = Kind::Label, .name = "lblUpdtd", .left = 720, .top = 120, .width = 2610, .height = 195,
         .text = "Tavlo is up to date.", .transparent = true});
    add({.kind = Kind::Label, .name = "lblAvlbl1", .left = 720, .top = 120, .width = 2610, .height = 195,
         .text = "A new version of Tavlo is available.", .visible = false, .transparent = true});
    add({.kind = Kind::Label, .name = "lblDnLnk", .left = 720, .top = 360, .width = 735, .height = 195,
         .text = "Click Hare", .visible = false, .foreColor = kLinkBlue, .transparent = true,
         .mousePointer = kHandPointer})
        .onClick = [this] { OpenDownloadFromPopUp(); };
    add({.kind = Kind::Label, .name = "lblAvlbl3", .left = 1515, .top = 360, .width = 870, .height = 195,
         .text = "to download", .visible = false, .transparent = true});
    add({.kind = Kind::Label, .name = "lblClose", .left = 2760, .top = 360, .width = 735, .height = 255,
         .text = "(Close 9)", .foreColor = kCloseColor})
        .onClick = [this] { ClosePopUpNow(); };
}

void FrmPopUp::buildTimers() {
    addTimer("tmrPop", 1, true).onTimer = [this] { SlidePopUpIn(); };
    addTimer("TmrPopStay", 1000, true).onTimer = [this] { CountDownPopUp(); };
    addTimer("TmrPopClos", 2000, true).onTimer = [this] { SlidePopUpOut(); };
}

void FrmPopUp::setPicture(const rt::Picture& picture) {
    auto& back = c("imgPicture");
    back.setPicture(picture);
    back.setVisible(!picture.empty());
}

// Starts just beyond the right edge of the screen, its lower edge 480 twips
// above the bottom of the screen.
void FrmPopUp::InitPopUp() {
    CloseCountdown = 9;
    setWidth(kWidth);
    setHeight(kHeight);
    setTop(rt::app().ui().screenHeight() - (height() + kAboveScreenBottom));
    setLeft(rt::app().ui().screenWidth());
    SetTopMost(hWnd(), rt::True);
    timer("tmrPop").setEnabled(true);
}

void FrmPopUp::SlidePopUpIn() {
    timer("TmrPopClos").setEnabled(false);
    timer("tmrPop").setInterval(1);
    setLeft(left() - kSlideStep);
    if (rt::app().ui().screenWidth() - width() >= left()) {
        timer("tmrPop").setEnabled(false);
        keepRunning(timer("TmrPopStay"));
    }
}

// Never stops: it runs until the notice unloads.
void FrmPopUp::CountDownPopUp() {
    c("lblClose").setCaption("(Close " + std::to_string(CloseCountdown) + ")");
    CloseCountdown = static_cast<short>(CloseCountdown - 1);
    if (CloseCountdown < 1) keepRunning(timer("TmrPopClos"));
}

void FrmPopUp::SlidePopUpOut() {
    timer("TmrPopClos").setInterval(1);
    setLeft(left() + kSlideStep);
    if (left() >= rt::app().ui().screenWidth() - 10) {
        timer("TmrPopClos").setEnabled(false);
        unload();
    }
}

void FrmPopUp::ClosePopUpNow() {
    c("lblClose").setCaption("Closing...");
    timer("TmrPopClos").setInterval(500);
    keepRunning(timer("TmrPopClos"));
}

void FrmPopUp::OpenDownloadFromPopUp() {
    rt::skipOnError([this] { rt::app().sys().shell.open(hWnd(), ServerUrl("/download.php")); });
    rt::skipOnError([this] { c("lblClose").setCaption("Closing..."); });
    rt::skipOnError([this] {
        timer("TmrPopClos").setInterval(800);
        keepRunning(timer("TmrPopClos"));
    });
}

// Left button only: the system's move loop runs until the user lets go.
void FrmPopUp::DragPopUp(int button) {
    if (button != rt::LeftButton) return;
    rt::DragWithPointer(*this);
}

long FrmPopUp::SetTopMost(rt::Handle hWnd, short topMost) {
    return rt::SetTopMost(hWnd, topMost);
}

}  // namespace tavlo::online
