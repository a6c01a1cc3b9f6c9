// The main window frm0: the page area with the Scan, Settings, Help and
// About pages, the picture tabs, the status box, the exit button and the
// resize grip. Its handlers live in one file per area: the frame, pages and
// Settings page here in core; the Scan page and the results grid in scanner;
// the About page and the tell-a-friend panel in online.
#pragma once

#include <string>

#include "runtime/App.h"

namespace tavlo::core {

class Frm0 : public rt::Form {
public:
    Frm0();

    // ---- frame, layout and pages (core) ----
    // buildFrame creates the frame and the page containers and also, with
    // their design geometry, the Scan page's MsfInfectd, lblBorder,
    // lblScaning, cmdIgnrLst ("White List") and cmdDeltAll ("Delete All"),
    // and the hidden tell-a-friend panel picDlg: the other areas bind their
    // events and fill picDlg, they do not create these. Controls created by
    // the other areas (lblNewVer, lblVersion, txtName2 and the panel's
    // fields, lblInfected, lblCount, lblAutoCln, picPrgrs*, imgArowD,
    // cmdDel, cmdIgn, the About page's links) are reached through ifHas.
    void InitMainWindow();
    void LayoutMainWindow();
    void SwitchPage();
    void OpenHelpPage();
    void OpenScanPage();
    void OpenSettingsPage();
    void OpenAboutPage();
    void OpenUpdatePage();
    void OpenDefaultPage();
    void StartSettingsLoad();
    void HighlightScannerStatus();
    void DragMainWindow(int button, int shift, rt::Twips x, rt::Twips y);
    void DragDialogPanel(int button, int shift, rt::Twips x, rt::Twips y);
    enum class GripEvent { Down, Move, Up };
    void ResizeMainWindow(GripEvent event, rt::Twips x, rt::Twips y);
    void HideMainWindow();
    void ShowInfoBox();
    void ResetLinkColors();
    // The page names CurrentPage holds.
    static constexpr const char* kScanPage = "Scan";
    static constexpr const char* kSettingsPage = "Settings";
    static constexpr const char* kHelpPage = "Help";
    static constexpr const char* kAboutPage = "About";
    std::string CurrentPage;
    int ResizeGripDown = 0;
    std::string FieldNormalColor;
    std::string FieldErrorColor;
    // Runs fn on the named control when some area of the window created it.
    template <class Fn>
    void ifHas(const std::string& name, Fn&& fn) {
        if (has(name)) fn(c(name));
    }

    // ---- Settings page (core) ----
    void LoadMainSettings();
    void ChooseDesktopAlert();
    void ChoosePopUpAlert();
    void SaveNotificationMode();

private:
    void buildPages();
    void buildScanFrame();
    void buildTabs();
    void buildChrome();
    void buildStatusBox();
    void setUpResultsGrid();
    void placeFrameControls();
    bool tabPressed(const std::string& tab);
    void openTabPage(const char* page, const std::string& tab);
    void layoutPages();
    void layoutGrid();
    void layoutListButtons();
    void enforceMinimumSize();
    void placeGrip();
    bool settingsLoading_ = false;
public:

    // ---- scan driver and Scan page (scanner) ----
    short ManualScan = rt::False;

    // ---- results grid actions (scanner) ----

    // ---- About page and tell-a-friend panel (online) ----

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override;
    void onResize() override;

private:
    // Each area adds its own controls; buildControls calls them in this order.
    void buildFrame();
    void buildSettingsPage();
    void buildScanPage();
    void buildResultsActions();
    void buildAboutPage();
};

Frm0& frm0();

}  // namespace tavlo::core
