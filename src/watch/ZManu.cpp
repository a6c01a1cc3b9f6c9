#include "watch/ZManu.h"

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "online/FrmPopUp.h"
#include "runtime/ErrorReport.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUSB.h"

namespace tavlo::watch {

ZManu& zManu() { return rt::app().instance<ZManu>(); }

ZManu::ZManu() : Form("zManu") {}

rt::FormDesign ZManu::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    d.showInTaskbar = false;
    return d;
}

// The items of a menu are the menu controls whose container is that menu;
// a caption of "-" is a separator. The menu's own caption is never seen:
// it is only popped up.
void ZManu::buildControls() {
    add({.kind = rt::Kind::TextBox, .name = "txtExit", .left = 120, .top = 120, .width = 1215, .height = 285,
         .visible = false})
        .onChange = [this] { ShutDownProgram(); };
    add({.kind = rt::Kind::Menu, .name = "mnuPop", .text = "aaa"});
    add({.kind = rt::Kind::Menu, .name = "mnuD", .container = "mnuPop", .text = "Main Window"}).onClick = [this] {
        ShowMainFromMenu();
    };
    add({.kind = rt::Kind::Menu, .name = "sprtr1", .container = "mnuPop", .text = "-"});
    add({.kind = rt::Kind::Menu, .name = "mnuExit", .container = "mnuPop", .text = "Shut Down Dravix"}).onClick =
        [this] { ConfirmExitFromMenu(); };
    add({.kind = rt::Kind::Menu, .name = "dvdr22", .container = "mnuPop", .text = "-"});
    add({.kind = rt::Kind::Menu, .name = "mnuClose", .container = "mnuPop", .text = "Hide Menu"});
}

bool ZManu::AskExitQuestion() {
    return rt::app().msgBox(kExitQuestion, rt::YesNoCancel | rt::Information) == rt::Yes;
}

void ZManu::ShowMainFromMenu() { core::frm0().setVisible(true); }

void ZManu::ConfirmExitFromMenu() {
    if (!AskExitQuestion()) return;
    rt::skipOnError([this] { c("txtExit").append("1"); });
}

namespace {

// A step of the exit: whatever fails, the exit goes on and the process ends.
template <class Step>
void exitStep(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

// Windows not named here (the full-desktop alert, the ignore list, the
// hidden forms) go with the process, without their unload handling.
void ZManu::ShutDownProgram() {
    exitStep([] { core::frmSplash().unload(); });
    exitStep([] { online::frmPopUp().unload(); });
    exitStep([] { frmNwUSB().unload(); });
    exitStep([] { frm1().ShellIcon1().Remove(); });
    exitStep([] { core::frm0().unload(); });
    exitStep([] { frm1().unload(); });
    rt::app().sys().process.end(0);
}

}  // namespace tavlo::watch
