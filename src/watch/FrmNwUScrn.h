// The full-desktop alert frmNwUScrn (alert mode "Full Desktop"): a
// borderless, maximized, translucent window over the whole screen that shows
// the message on a red band near the top, under a navy band with the icon
// and the buttons, and takes the main window inside itself: the main window
// is re-parented into the picture box PicMDI1 and centred there. Its load
// and unload keep FullDesktopAlertShown.
#pragma once

#include "runtime/App.h"

namespace tavlo::watch {

class FrmNwUScrn : public rt::Form {
public:
    FrmNwUScrn();

    void InitFullDesktopAlert();
    void StartAlertLayout();
    void CenterAlertPanels();
    void SetAlertCaption();
    void EmbedMainWindow();
    void BringMainWindowToFront();
    void SwitchToSmallAlert();
    void ReleaseMainWindow();

    // Screens narrower than this many twips get the main window at the
    // host's top-left corner instead of centred.
    static constexpr rt::Twips kCentringScreenWidth = 12001;

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override;
    void onUnload() override;
    void onResize() override;

private:
    // True (-1): topmost; anything else: not topmost.
    static int SetTopMost(rt::Handle hWnd, int topMost);
    // Gives the main window back to the desktop when it still sits in PicMDI1.
    void handBackMainWindow();

    // The main window's handle and the host's, as EmbedMainWindow joined them.
    rt::Handle embeddedMain_ = 0;
    rt::Handle embeddedIn_ = 0;
};

FrmNwUScrn& frmNwUScrn();

}  // namespace tavlo::watch
