// The ignore list window frmIgnrLst: lists the table ign of the ignore
// database, adds a typed path, removes one entry or every listed entry.
// The main window's "White List" button shows it modeless; each load reads
// the table once, a little after the window opens.
#pragma once

#include <string>

#include "runtime/App.h"

namespace tavlo::scanner {

// Texts of the window that tests and the results grid share.
inline constexpr const char* kTooBigToAdd = "Too big.... cannot add";
inline constexpr const char* kAddedToIgnoreList = "Added into the ignore list";
inline constexpr const char* kAlreadyAdded = "Already Added";

class FrmIgnrLst : public rt::Form {
public:
    FrmIgnrLst();

    void InitIgnoreListWindow();
    void StartIgnoreListLoad();
    void LoadIgnoreList();
    void AddIgnoreEntry();
    void PlaceRemoveButton();
    void HideRemoveButton();
    void RemoveClickedIgnoreEntry();
    void ClearIgnoreList();
    void LayoutIgnoreListWindow();

    // The grid row that the remove button acts on; 0 at load. Wide enough for
    // a list of more than 32,767 entries (a 16-bit number would wrap and name
    // another row's entry).
    int ClickedRow = 0;

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
    void onLoad() override { InitIgnoreListWindow(); }
    void onResize() override { LayoutIgnoreListWindow(); }

private:
    rt::Grid& list() { return grid("MsfInfectd"); }
    void resetListGrid();
    void showNill();
    void fillList();
    void addTypedPath(const std::string& path);
    long recordNumberOf(int row);
    void clearListedRows();
    void endBusy();
};

FrmIgnrLst& frmIgnrLst();

}  // namespace tavlo::scanner
