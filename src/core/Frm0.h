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
    void RefreshResultsAgainstIgnoreList();
    void PlaceRowButtons();
    void HideRowButtons();
    void DeleteSelectedFile();
    void DeleteAllResults();
    void IgnoreSelectedResult();
    void CheckNothingLeftToDelete();
    void ShowIgnoreList();
    // The grid row and column of the last click on the results.
    short SelectedRow = 0;
    short SelectedCol = 0;
    // Counts the loads of the window: a row action that waited on a question
    // or a yield stops when the grid it started on has been rebuilt meanwhile.
    int ResultsGridLoads = 0;

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
