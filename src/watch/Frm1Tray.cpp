// What the user does through the tray icon: a right-button press opens the
// tray menu, a click shows the main window, a double click asks whether to
// shut the program down.
#include "core/Frm0.h"
#include "watch/Frm1.h"
#include "watch/ZManu.h"

namespace tavlo::watch {

void Frm1::ShowTrayMenu(int button) {
    if (button != rt::RightButton) return;
    rt::app().ui().popupMenu(*this, zManu().c("mnuPop"));
}

void Frm1::ShowMainFromTray(int button) {
    if (button != rt::LeftButton && button != rt::RightButton) return;
    core::frm0().setVisible(true);
}

// After Yes the form's system menu opens at the mouse; the exit follows
// once it closes.
void Frm1::ConfirmExitFromTray(int) {
    if (!ZManu::AskExitQuestion()) return;
    ShellIcon1().ShowSysMenu();
    zManu().c("txtExit").append("1");
}

}  // namespace tavlo::watch
