// The splash window: the program's first window. It stores the cipher key,
// shows the artwork with the version and an animated strip, loads the
// configuration, makes the main window visible and hands over to the tray
// form. The same window serves later as the "Info" box.
#pragma once

#include "runtime/App.h"

namespace tavlo::core {

class FrmSplash : public rt::Form {
public:
    FrmSplash();

    void InitSplash();
    void LayoutSplashDecoration();
    void StartConfigurationLoad();
    void LoadConfiguration();
    void RunSplash();
    void CloseInfoSplash();
    void DragSplashWindow(int button);
    void CheckConfigurationOnUnload();
    // The window's own copy of the shared routine: -1 topmost, else not.
    long SetTopMost(rt::Handle hWnd, short topMost);

    // Window-level state: kept across unloads; only InitSplash resets the phase.
    short SplashTickCount = 0;
    short SplashImagePhase = 0;
    short ConfigurationLoaded = rt::False;
    // True once the tray form has been shown by the splash.
    bool TrayHandedOver = false;

    bool infoMode();

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override { InitSplash(); }
    void onUnload() override { CheckConfigurationOnUnload(); }

private:
    void buildDecoration();
    void buildStrip();
    bool configurationSeeded();
    void seedConfiguration();
    void handOver();

    bool loadingConfiguration_ = false;
};

FrmSplash& frmSplash();

}  // namespace tavlo::core
