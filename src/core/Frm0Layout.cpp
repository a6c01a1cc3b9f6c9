// The main window's load and its layout on every change of size.
#include <string>

#include "core/Frm0.h"
#include "core/Frm0Design.h"
#include "core/FrmSplash.h"
#include "runtime/ErrorReport.h"

namespace tavlo::core {

namespace ml = mainlayout;
using rt::Twips;

namespace {

const char* const kPages[] = {"picHelp", "picRegs", "picScan", "PicSett"};
const char* const kPageTabs[] = {"picBtnScn", "picBtnSet", "picBtnUpd", "picBtnAbo"};
const char* const kSuggestFields[] = {"txtFrndNm", "txtFrndEM", "txtCommnt", "txtName2", "txtmail2"};

}  // namespace

// The load: places the pages, empties the results grid, sets the final size,
// centres the window and gives the tabs their faces. The tell-a-friend panel
// is centred on the window's final size: centred on the far larger size the
// window is created with, its lower part, "Suggest" button included, would
// lie outside the window.
void Frm0::InitMainWindow() {
    c("lblNewVer").setCaption("");
    for (const char* field : kSuggestFields) c(field).setText("");
    c("picExtBtn").setWidth(c("cmdExit").width());
    c("picExtBtn").setHeight(c("cmdExit").height());
    grid("MsfInfectd").setTop(ml::kGridTop);
    for (const char* page : {"picScan", "picRegs", "PicSett"}) c(page).setPicture(c("picBk").picture());
    for (const char* page : kPages) c(page).setTop(ml::kPageTop);
    for (const char* page : kPages) c(page).setLeft(ml::kPageLeft);
    grid("MsfInfectd").setLeft(ml::kGridLeft);
    setUpResultsGrid();
    c("lblInfected").setCaption("");
    c("lblCount").setCaption("");
    FieldErrorColor = std::to_string(ml::kFieldErrorColor);
    FieldNormalColor = std::to_string(ml::kFieldNormalColor);
    setWidth(ml::kWidth);
    setHeight(ml::kHeightBorderless);
    if (bordered()) setHeight(ml::kHeightBordered);
    auto& dlg = c("picDlg");
    dlg.setTop(height() / 2 - dlg.height() / 2);
    dlg.setLeft(width() / 2 - dlg.width() / 2);
    c("lblScaning").setCaption("");
    auto& ui = rt::app().ui();
    setLeft(ui.screenWidth() / 2 - width() / 2);
    setTop(ui.screenHeight() / 2 - height() / 2 - ml::kCentringOffset);
    placeFrameControls();
}

// Seven columns, the header row alone: "", "Object", "Criticality".
void Frm0::setUpResultsGrid() {
    auto& g = grid("MsfInfectd");
    g.setCols(ml::kGridCols);
    g.setColWidth(5, 0);
    g.setColWidth(6, 0);
    g.setRows(2);
    g.setFixedRows(1);
    g.setTextMatrix(0, 0, "");
    g.setTextMatrix(0, 1, "Object");
    g.setTextMatrix(0, 2, "Criticality");
    g.setRows(1);
}

// The rest of the load: the Scan page's progress controls, the icon taken
// from the splash, the version, and the tab faces (the "?" tab pressed).
void Frm0::placeFrameControls() {
    c("lblAutoCln").setCaption("");
    if (has("picPrgrsR") && has("picPrgrs1")) c("picPrgrsR").setTop(c("picPrgrs1").top());
    c("picPrgrs").setWidth(0);
    // The Scan page's hidden drive list is enabled.
    c("Drive1").setEnabled(true);
    setIcon(frmSplash().icon());
    c("lblVersion").setCaption(rt::app().version.text());
    c("picRegs").setWidth(ml::kAboutPageWidth);
    // The tab captions are designed as transparent labels over the faces.
    c("lblBtn0").setCaption("?");
    c("lblBtn0").setWidth(c("picBtn0").width());
    c("picBtn0").setPicture(c("picBtn0pD").picture());
    for (const char* tab : kPageTabs) c(tab).setPicture(c("picNrml").picture());
}

// The resize handler. Every statement that fails is skipped; a size below
// the minimum is corrected, which runs this handler again, nested.
void Frm0::LayoutMainWindow() {
    using rt::skipOnError;
    layoutPages();
    c("cmdDel").setVisible(false);
    c("cmdIgn").setVisible(false);
    placeGrip();
    layoutGrid();
    enforceMinimumSize();
    placeGrip();
    auto& g = grid("MsfInfectd");
    skipOnError([&] { g.setHeight(c("picScan").height() - ml::kGridHeightSlack); });
    skipOnError([&] { c("lblScaning").setTop(c("picScan").height() - ml::kStatusLabelOffset); });
    SwitchPage();
    layoutListButtons();
}

// All four pages fill the page area above the tab band.
void Frm0::layoutPages() {
    const Twips band = bordered() ? ml::kTabBandBordered : ml::kTabBandBorderless;
    const Twips pageHeight = height() - band - c("picRegs").top();
    for (const char* page : kPages) rt::skipOnError([&] { c(page).setHeight(pageHeight); });
    const Twips pageWidth = width() - ml::kPageRightMargin - c("picRegs").left();
    for (const char* page : kPages) rt::skipOnError([&] { c(page).setWidth(pageWidth); });
}

void Frm0::placeGrip() {
    auto& grip = c("picResiz");
    grip.setLeft(width() - grip.width());
    grip.setTop(height() - grip.height());
}

// The grid's width follows the Scan page, column 1 takes what the fixed
// columns leave, and lblBorder frames the grid.
void Frm0::layoutGrid() {
    using rt::skipOnError;
    auto& g = grid("MsfInfectd");
    skipOnError([&] { g.setWidth(c("picScan").width() - ml::kGridWidthSlack - 2 * g.left()); });
    skipOnError([&] { c("lblScaning").setWidth(g.width()); });
    g.setColWidth(0, 0);
    g.setColWidth(2, ml::kColRating);
    g.setColWidth(3, ml::kColIgnore);
    g.setColWidth(6, 0);
    g.setColWidth(5, 0);
    g.setColWidth(4, ml::kColDelete);
    g.setColWidth(1, g.width() - (g.colWidth(0) + g.colWidth(2) + g.colWidth(3) + g.colWidth(4) +
                                  ml::kColumnOneReserve));
    skipOnError([&] {
        c("lblBorder").move(g.left() - 10, g.top() - 10, g.width() + 30, g.height() + 30);
    });
}

void Frm0::enforceMinimumSize() {
    if (width() < ml::kWidth) setWidth(ml::kWidth);
    if (bordered()) {
        if (height() < ml::kMinHeightBordered) setHeight(ml::kMinHeightBordered);
    } else if (height() < ml::kHeightBorderless) {
        setHeight(ml::kHeightBorderless);
    }
}

// "Delete All" keeps its gap to the page's right edge, "White List" its gap
// to "Delete All"; both stand just above the page's bottom.
void Frm0::layoutListButtons() {
    auto& page = c("picScan");
    auto& ignoreList = c("cmdIgnrLst");
    auto& deleteAll = c("cmdDeltAll");
    ignoreList.setTop(page.height() - ml::kListButtonsOffset);
    deleteAll.setTop(page.height() - ml::kListButtonsOffset);
    deleteAll.setLeft(page.width() - (deleteAll.width() + ml::kListButtonsGap));
    ignoreList.setLeft(deleteAll.left() - (ignoreList.width() + ml::kListButtonsGap));
}

}  // namespace tavlo::core
