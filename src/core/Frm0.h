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
    // events and fill picDlg, they do not create these. The load and the
    // layout also reach controls the other areas create (lblNewVer,
    // lblVersion, txtName2 and the panel's fields, lblInfected, lblCount,
    // lblAutoCln, picPrgrs*, Drive1, imgArowD, cmdDel, cmdIgn, the links).
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
    void showHeldAlertStyle();
    bool settingsLoading_ = false;  // LoadMainSettings is running
    bool showingHeldStyle_ = false;  // the alert-style boxes only show NotifyFullDesktop

public:

    // ---- scan driver and Scan page (scanner) ----
    // True: the next pass of RunScan scans txtPath2's folder instead of a drive.
    short ManualScan = rt::False;
    void RunScan();
    void StartManualScan();
    void SelectPathOption();
    void TakeTypedPath();
    void ShowBrowsePanel();
    void BrowseDriveChanged();
    void BrowseFolderPicked();
    void AcceptBrowsedFolder();
    void CloseBrowsePanel();
    void AbortScan();
    void AnimateScanProgress();

    // ---- results grid actions (scanner) ----
    void RefreshResultsAgainstIgnoreList();
    void PlaceRowButtons();
    void HideRowButtons();
    void DeleteSelectedFile();
    void DeleteAllResults();
    void IgnoreSelectedResult();
    void CheckNothingLeftToDelete();
    void ShowIgnoreList();
    // The grid row and column of the last click on the results; wide enough
    // for a grid of more than 32,767 rows (a 16-bit number would wrap and
    // name another row's file).
    int SelectedRow = 0;
    int SelectedCol = 0;
    // Counts the loads of the window: a row action that waited on a question
    // or a yield stops when the grid it started on has been rebuilt meanwhile.
    int ResultsGridLoads = 0;

    // ---- About page and tell-a-friend panel (online) ----
    // True while a version check waits for its reply; False at load.
    short VersionCheckBusy = rt::False;
    // True while a tell-a-friend request is under way; False at load.
    short SuggestBusy = rt::False;
    // The machine identifier a tell-a-friend request sends; set at load.
    std::string MachineId;
    void CheckLatestVersion();
    void ShowNewVersionPopup();
    void ShowSuggestPanel();
    void CloseSuggestPanel();
    void DragDialogByImage(int button, int shift, rt::Twips x, rt::Twips y);
    void SendSuggestion();
    void FilterEmailKey(int& keyAscii);
    // field: "txtFrndEM" or "txtmail2".
    void ValidateEmailField(const std::string& field);
    // label: one of the link labels of the About and Help pages.
    void PressLinkLabel(const std::string& label);
    void HoverLinkLabel(const std::string& label);
    void OpenLinkLabel(const std::string& label);
    void ResetHomeLinkLook();
    void PointGuideArrowAtSettings();
    void HideGuideArrow();

private:
    void buildAboutLinks();
    void buildHelpGuide();
    void buildSuggestPanel();
    void buildSuggestFields();
    void cleanSuggestFields();
    bool suggestFieldsPass();
    void sendSuggestRequest();
    void endSuggestRequest();
    void markEmailField(const std::string& field, bool& ended);

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
