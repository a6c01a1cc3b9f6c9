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
    void InitMainWindow();
    void LayoutMainWindow();
    void OpenScanPage();
    std::string CurrentPage;
    int ResizeGripDown = 0;
    std::string FieldNormalColor;
    std::string FieldErrorColor;

    // ---- Settings page (core) ----

    // ---- scan driver and Scan page (scanner) ----
    short ManualScan = rt::False;

    // ---- results grid actions (scanner) ----

    // ---- About page and tell-a-friend panel (online) ----
    // True while a version check waits for its reply; False at load.
    short VersionCheckBusy = rt::False;
    // True while a tell-a-friend request is under way.
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
    void markEmailField(const std::string& field, bool& ended);
    void addMissingNeighbours();

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
