// The main window's frame: the four pages, the results grid's
// place on the Scan page, the tabs, the status box, the title, the exit
// button, the resize grip, the hidden picture holders and the timers.
#include "core/Frm0.h"

namespace tavlo::core {

namespace {

using rt::Kind;

constexpr int kPointerSizeNWSE = 8;
constexpr rt::Color kWhite = 0xFFFFFF;

}  // namespace

// Every load starts with no page chosen and the grip released.
void Frm0::buildFrame() {
    CurrentPage.clear();
    ResizeGripDown = 0;
    onMouseDown = [this](int button, int shift, rt::Twips x, rt::Twips y) { DragMainWindow(button, shift, x, y); };
    buildPages();
    buildScanFrame();
    buildStatusBox();
    buildTabs();
    buildChrome();
}

// The pages share one place once loaded; until then they lie about the
// window, the About page hidden. picBk only holds the page background.
void Frm0::buildPages() {
    add({.kind = Kind::Picture, .name = "picScan", .left = 2760, .top = 2280, .width = 7535, .height = 3975,
         .backColor = 0xC0C0C0});
    add({.kind = Kind::Picture, .name = "PicSett", .left = 240, .top = 10800, .width = 8055, .height = 4575,
         .backColor = 0x404080});
    add({.kind = Kind::Picture, .name = "picHelp", .left = 9960, .top = 7200, .width = 7530, .height = 4815,
         .backColor = 0xC0FFFF, .picture = "help_back"});
    add({.kind = Kind::Picture, .name = "picRegs", .left = 2880, .top = 6600, .width = 7535, .height = 5535,
         .visible = false, .backColor = 0xC0E0FF})
        .onMouseMove = [this](int, int, rt::Twips, rt::Twips) { ResetLinkColors(); };
    add({.kind = Kind::Picture, .name = "picBk", .left = 10800, .top = 3480, .width = 1215, .height = 735,
         .visible = false, .picture = "page_back"});
}

// The results grid with its frame label, the line under it and the two list
// buttons. Their events belong to the results actions.
void Frm0::buildScanFrame() {
    add({.kind = Kind::Label, .name = "lblBorder", .container = "picScan", .left = 1560, .top = 0, .width = 735,
         .height = 255, .backColor = 0x008080});
    addGrid({.name = "MsfInfectd", .container = "picScan", .left = 120, .top = 360, .width = 6015, .height = 3315});
    add({.kind = Kind::Label, .name = "lblScaning", .container = "picScan", .left = 120, .top = 3700, .width = 1155,
         .height = 195, .text = "Infected File List", .visible = false, .transparent = true});
    add({.kind = Kind::Button, .name = "cmdIgnrLst", .container = "picScan", .left = 4920, .top = 3710,
         .width = 1095, .height = 240, .text = "White List"});
    add({.kind = Kind::Button, .name = "cmdDeltAll", .container = "picScan", .left = 6240, .top = 3710,
         .width = 1095, .height = 240, .text = "Delete All"});
}

// "Scanner Status" and "Last Update", each a heading over a status line.
void Frm0::buildStatusBox() {
    add({.kind = Kind::Picture, .name = "Picture2", .left = 120, .top = 3360, .width = 2535, .height = 2415,
         .backColor = kWhite, .picture = "status_back"});
    const rt::Font heading{.bold = true};
    add({.kind = Kind::Label, .name = "lblActvt0", .container = "Picture2", .left = 180, .top = 180, .width = 2175,
         .height = 255, .text = "Scanner Status", .foreColor = kWhite, .transparent = true, .font = heading});
    add({.kind = Kind::Label, .name = "lblActvt2", .container = "Picture2", .left = 180, .top = 600, .width = 2175,
         .height = 255, .text = "Inactive", .transparent = true});
    add({.kind = Kind::Label, .name = "lblLUpdt0", .container = "Picture2", .left = 180, .top = 1260, .width = 2175,
         .height = 255, .text = "Last Update", .foreColor = kWhite, .transparent = true, .font = heading});
    add({.kind = Kind::Label, .name = "lblLUpdt2", .container = "Picture2", .left = 180, .top = 1680, .width = 2175,
         .height = 255, .text = "Click above to check", .transparent = true});
}

// Four page tabs and the "?" tab, each a picture with a centred caption
// label, and the hidden pictures the tabs take their faces from.
void Frm0::buildTabs() {
    struct Tab { const char* pic; const char* label; const char* caption; rt::Twips left; void (Frm0::*open)(); };
    const Tab tabs[] = {
        {"picBtnScn", "lblBtnScn", "Report", 2880, &Frm0::OpenScanPage},
        {"picBtnSet", "lblBtnSet", "Settings", 3960, &Frm0::OpenSettingsPage},
        {"picBtnUpd", "lblBtnUpd", "Update", 6000, &Frm0::OpenUpdatePage},
        {"picBtnAbo", "lblBtnAbo", "About", 7920, &Frm0::OpenAboutPage},
    };
    for (const Tab& t : tabs) {
        auto open = [this, f = t.open] { (this->*f)(); };
        add({.kind = Kind::Picture, .name = t.pic, .left = t.left, .top = 6300, .width = 975, .height = 315,
             .picture = "tab_normal"})
            .onClick = open;
        add({.kind = Kind::Label, .name = t.label, .container = t.pic, .left = 0, .top = 60, .width = 975,
             .height = 255, .text = t.caption, .transparent = true, .alignment = 2})
            .onClick = open;
    }
    add({.kind = Kind::Picture, .name = "picBtn0", .left = 10035, .top = 6300, .width = 255, .height = 315,
         .picture = "help_normal"});
    add({.kind = Kind::Label, .name = "lblBtn0", .container = "picBtn0", .left = 0, .top = 60, .width = 195,
         .height = 255, .text = "?", .transparent = true, .font = {.bold = true}, .alignment = 2})
        .onClick = [this] { OpenHelpPage(); };
    add({.kind = Kind::Picture, .name = "picNrml", .left = 10800, .top = 600, .width = 975, .height = 315,
         .visible = false, .picture = "tab_normal"});
    add({.kind = Kind::Picture, .name = "picDown", .left = 10800, .top = 1000, .width = 975, .height = 360,
         .visible = false, .picture = "tab_down"});
    add({.kind = Kind::Picture, .name = "picBtn0pN", .left = 10800, .top = 1440, .width = 375, .height = 375,
         .visible = false, .picture = "help_normal"});
    add({.kind = Kind::Picture, .name = "picBtn0pD", .left = 10800, .top = 1920, .width = 375, .height = 375,
         .visible = false, .picture = "help_down"});
}

// The title, the exit button, the resize grip, the tell-a-friend panel, the
// hidden trigger box and button, and the three one-shot start-up timers.
void Frm0::buildChrome() {
    add({.kind = Kind::Label, .name = "Label3", .left = 300, .top = 840, .width = 1590, .height = 240,
         .text = "Tavlo", .foreColor = 0x808080, .transparent = true, .font = {.size = 9.75}})
        .onClick = [this] { ShowInfoBox(); };
    add({.kind = Kind::Picture, .name = "picExtBtn", .left = 9000, .top = 120, .width = 375, .height = 495,
         .backColor = 0xC0C0C0});
    add({.kind = Kind::Button, .name = "cmdExit", .container = "picExtBtn", .left = 0, .top = 0, .width = 255,
         .height = 270, .text = "x", .backColor = 0xC0C0C0, .font = {.size = 12, .bold = true}})
        .onClick = [this] { HideMainWindow(); };
    auto& grip = add({.kind = Kind::Picture, .name = "picResiz", .left = 10200, .top = 6360, .width = 255,
                      .height = 255, .picture = "grip", .mousePointer = kPointerSizeNWSE});
    grip.onMouseDown = [this](int, int, rt::Twips x, rt::Twips y) { ResizeMainWindow(GripEvent::Down, x, y); };
    grip.onMouseMove = [this](int, int, rt::Twips x, rt::Twips y) { ResizeMainWindow(GripEvent::Move, x, y); };
    grip.onMouseUp = [this](int, int, rt::Twips x, rt::Twips y) { ResizeMainWindow(GripEvent::Up, x, y); };
    add({.kind = Kind::Picture, .name = "picDlg", .left = 10200, .top = 3480, .width = 5040, .height = 3615,
         .visible = false, .backColor = kWhite, .border = 1})
        .onMouseDown = [this](int button, int shift, rt::Twips x, rt::Twips y) {
            DragDialogPanel(button, shift, x, y);
        };
    add({.kind = Kind::TextBox, .name = "txtConf", .left = 10800, .top = 2400, .width = 495, .height = 285,
         .text = "Conf", .visible = false})
        .onChange = [this] { LoadMainSettings(); };
    add({.kind = Kind::Button, .name = "cmdBtnCls", .left = 10800, .top = 2880, .width = 255, .height = 255,
         .visible = false})
        .onClick = [this] { SwitchPage(); };
    addTimer("tmrWrnNrml", 1, true).onTimer = [this] { HighlightScannerStatus(); };
    addTimer("tmrconfig", 10, true).onTimer = [this] { StartSettingsLoad(); };
    addTimer("tmrDflt", 10, true).onTimer = [this] { OpenDefaultPage(); };
}

}  // namespace tavlo::core
