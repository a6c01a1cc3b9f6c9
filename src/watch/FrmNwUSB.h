// The small alert frmNwUSB: a little window that announces a plugged USB
// memory device (alert mode "Pop"). The drive poll puts the message in it
// and shows it; the user closes it, opens the main window from it, or
// switches to the full-desktop alert. It keeps no state beyond its controls.
#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class FrmNwUSB : public rt::Form {
public:
    FrmNwUSB();

    static constexpr const char* kClosePrompt = " It will close this window. Proceed?              ";

    void InitSmallAlert();
    void WidenSmallAlertBand();
    void ConfirmCloseSmallAlert();
    void SwitchToFullDesktopAlert();
    void ShowMainFromAlert();
    void DragSmallAlert(int button);

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override;

private:
    // True (-1): topmost; anything else: not topmost.
    static int SetTopMost(rt::Handle hWnd, int topMost);
};

FrmNwUSB& frmNwUSB();

}  // namespace tavlo::watch
