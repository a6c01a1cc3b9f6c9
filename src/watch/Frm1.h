// The resident tray form frm1: never seen (no size, in the bottom-right
// corner of the screen), it polls the drive letters for removable drives,
// shows the alert when the list of them grows, starts the scan of every
// drive not yet scanned, closes the alerts when the last one goes, and
// hosts the tray icon ShellIcon1 with its handlers.
#pragma once

#include <string>
#include <vector>

#include "runtime/App.h"
#include "watch/ShellIcon.h"

// windows.h (through dlgs.h) names a dialog control id frm1; the window's
// accessor takes the name back wherever both are seen.
#ifdef frm1
#undef frm1
#endif

namespace tavlo::watch {

class Frm1 : public rt::Form {
public:
    Frm1();

    // ---- drive watch ----
    void InitResidentForm();
    void PollUsbDrives();
    void CloseUsbAlerts();
    // "D:" to "Z:", filled by the load.
    std::vector<std::string> WatchedDrives;

    // ---- tray icon and its handlers ----
    // The tray icon; touching it loads the form, which adds the icon.
    ShellIcon& ShellIcon1();
    // The properties ShellIcon1 loads with: the program's icon, and the
    // right button raising events instead of the system menu.
    static PropertyBag ShellIcon1Properties();
    void ShowTrayMenu(int button);
    void ShowMainFromTray(int button);
    void ConfirmExitFromTray(int button);

    // The program's own icon (16, 32 and 48 pixels), resource number 1.
    static constexpr const char* kTrayIcon = "#1";

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override;
    void onUnload() override;

private:
    // True (-1): topmost; anything else: not topmost.
    static int SetTopMost(rt::Handle hWnd, int topMost);
    void listRemovableDrives(std::string& list);
    void clearGoneDrives();
    void showPlugAlert(const std::string& list);
    void triggerPendingScans();

    ShellIcon shellIcon1_;
};

Frm1& frm1();

}  // namespace tavlo::watch
