// The main window's results grid actions: marking ignored rows, the Delete
// and Ignore buttons floated over a clicked row, Delete All, and the closing
// of the USB alerts once no row is left to act on.
//
// Controls are always reached by name, never held across a question or a
// yield: the alerts may unload and reload the main window meanwhile.
#include <cctype>

#include "core/Frm0.h"
#include "core/Store.h"
#include "runtime/ErrorReport.h"
#include "scanner/FrmIgnrLst.h"
#include "scanner/IgnorePaths.h"
#include "scanner/ResultCells.h"
#include "watch/Frm1.h"

namespace tavlo::core {

using namespace scanner::cells;

namespace {

constexpr const char* kRefreshing = "Refreshing...";
constexpr const char* kRiskyFound = "Risky Objects found";
constexpr const char* kIgnoreDbError = "Ignore list error...\r\nReinstall Tavlo to recover the problem.";
constexpr const char* kUnknownError = "Unknown error... d1";

// The last rows the refresh brings into view.
constexpr int kRowsInView = 13;

void pointer(int p) { rt::app().setScreenPointer(p); }

// Compares the first characters of a caption with a text, ignoring case.
bool startsWithIgnoringCase(const std::string& caption, const std::string& start) {
    if (caption.size() < start.size()) return false;
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(caption[i])) != std::tolower(static_cast<unsigned char>(start[i])))
            return false;
    }
    return true;
}

}  // namespace

void Frm0::buildResultsActions() {
    using rt::Kind;
    // Every load starts with no clicked cell.
    SelectedRow = 0;
    SelectedCol = 0;
    add({.kind = Kind::Button, .name = "cmdIgn", .width = 600, .height = 240, .text = "Add", .visible = false,
         .toolTip = "Add to White list"})
        .onClick = [this] { IgnoreSelectedResult(); };
    add({.kind = Kind::Button, .name = "cmdDel", .width = 700, .height = 240, .text = "X", .visible = false,
         .toolTip = "Delete"})
        .onClick = [this] { DeleteSelectedFile(); };
    add({.kind = Kind::Label, .name = "lblFF2Kill", .container = "picScan", .width = 1095, .height = 195,
         .text = "Delete This File", .visible = false});
    auto& results = grid("MsfInfectd");
    results.onClick = [this] { PlaceRowButtons(); };
    results.onScroll = [this] { HideRowButtons(); };
    c("cmdDeltAll").onClick = [this] { DeleteAllResults(); };
    c("cmdIgnrLst").onClick = [this] { ShowIgnoreList(); };
    ++ResultsGridLoads;
}

// Brings the last rows into view, then marks every row whose path is in the
// ignore list. A path with an apostrophe never goes into a query: its row
// loses the ignore cell instead. A database failure in the middle stops the
// marking and leaves the remaining rows as they are.
void Frm0::RefreshResultsAgainstIgnoreList() {
    auto& results = grid("MsfInfectd");
    if (results.rows() > kRowsInView) results.setTopRow(results.rows() - kRowsInView);
    auto& status = c("lblCncMsg");
    status.setCaption(startsWithIgnoringCase(status.caption(), kRiskyFound) ? kRefreshing
                                                                          : status.caption() + "\r\n" + kRefreshing);
    if (results.rows() < 2) return;
    // Opening the database puts the pointer back, whatever the outcome.
    if (!EnsureIgnoreDb()) {
        results.setEnabled(true);
        return;
    }
    pointer(rt::PointerHourglass);
    const int last = results.rows() - 1;
    try {
        for (int i = 1; i <= last; ++i) {
            const std::string path = results.textMatrix(i, kFullPath);
            if (scanner::HoldsApostrophe(path)) {
                results.setTextMatrix(i, kIgnoreCell, "");
            } else if (IgnoreListHas(path)) {
                results.setTextMatrix(i, kIgnoreCell, kIgnored);
            }
        }
    } catch (const rt::Error&) {
        // Rows not yet looked up keep their cells.
    }
    results.setEnabled(true);
    pointer(rt::PointerDefault);
}

namespace {

// The left and top of the grid in the window's own coordinates.
rt::Twips gridLeft(Frm0& f) { return f.c("picScan").left() + f.grid("MsfInfectd").left(); }
rt::Twips gridTop(Frm0& f) { return f.c("picScan").top() + f.grid("MsfInfectd").top(); }

// Both buttons take the height of the clicked (current) cell; Ignore covers
// column 3, Delete column 4.
void placeOverRow(Frm0& f) {
    auto& results = f.grid("MsfInfectd");
    const rt::Twips x0 = gridLeft(f);
    const rt::Twips y0 = gridTop(f) + results.cellTop();
    const rt::Twips h = results.cellHeight();
    const rt::Twips ignoreLeft = x0 + results.colPos(kIgnoreCell);
    f.c("cmdIgn").move(ignoreLeft, y0, results.colWidth(kIgnoreCell), h);
    f.c("cmdDel").move(ignoreLeft + results.colWidth(kIgnoreCell), y0, results.colWidth(kDeleteCell), h);
}

// The clicked path goes into the line under the grid and, for Delete, into
// lblFF2Kill; a path that is not drive-style empties both.
void showClickedPath(Frm0& f, int row) {
    std::string path;
    rt::skipOnError([&] { path = f.grid("MsfInfectd").textMatrix(row, kFullPath); });
    const std::string shown = scanner::IsDriveStylePath(path) ? path : std::string();
    rt::skipOnError([&] { f.c("lblScaning").setCaption(shown); });
    rt::skipOnError([&] { f.c("lblFF2Kill").setCaption(shown); });
    rt::skipOnError([&] { f.c("lblScaning").setVisible(true); });
}

// Keeps Delete off the grid's vertical scroll bar: it is cut at 250 twips
// from the grid's right edge and hidden when less than 160 twips of it
// would remain, or when it starts within 50 twips of that limit.
void clipDeleteButton(Frm0& f) {
    auto& del = f.c("cmdDel");
    rt::Twips limit = 0;
    rt::skipOnError([&] { limit = gridLeft(f) + f.grid("MsfInfectd").width() - 250; });
    rt::skipOnError([&] {
        if (del.left() + del.width() > limit) {
            rt::skipOnError([&] { del.setWidth(limit - del.left()); });
            if (limit - del.left() < 160) del.setVisible(false);
        }
    });
    rt::skipOnError([&] {
        if (del.left() > limit - 50) del.setVisible(false);
    });
}

// A row offers no action when it has no path, is deleted, or is the abort
// row; these checks run in this order.
bool offersNoAction(const rt::Grid& results, int row) {
    return results.textMatrix(row, kFullPath).empty() || results.textMatrix(row, kDeleteCell) == kDeleted ||
           results.textMatrix(row, kPath) == kAbortRow;
}

// The Ignore button stays hidden over a row that is ignored, has lost its
// ignore cell, is deleted, or whose path holds an apostrophe (such a path is
// never put into a query).
bool offersIgnore(const rt::Grid& results, int row) {
    const std::string& ignoreCell = results.textMatrix(row, kIgnoreCell);
    return ignoreCell != kIgnored && !ignoreCell.empty() && results.textMatrix(row, kDeleteCell) != kDeleted &&
           !scanner::HoldsApostrophe(results.textMatrix(row, kFullPath));
}

}  // namespace

// Floats Ignore over column 3 and Delete over column 4 of the clicked row.
// Failures up to the placement go to the error report; from the labels on
// each failing statement is skipped.
void Frm0::PlaceRowButtons() {
    const int loads = ResultsGridLoads;
    rt::ErrorReport report;
    // A box of the report lets other windows run: the grid may be rebuilt.
    auto step = [&](auto&& s) { return report.step(s) && loads == ResultsGridLoads; };
    c("cmdDel").setVisible(false);
    if (grid("MsfInfectd").rows() == 1) return;
    SelectedCol = grid("MsfInfectd").mouseCol();
    SelectedRow = grid("MsfInfectd").mouseRow();
    const int r = SelectedRow;
    bool noAction = false;
    if (!step([&] { noAction = offersNoAction(grid("MsfInfectd"), r); })) return;
    if (noAction) {
        HideRowButtons();
        return;
    }
    if (r == 0) return;
    c("cmdDel").setVisible(true);
    if (!step([&] { placeOverRow(*this); })) return;
    c("cmdDel").setVisible(true);
    c("cmdIgn").setVisible(true);
    showClickedPath(*this, r);
    clipDeleteButton(*this);
    rt::skipOnError([&] {
        if (!offersIgnore(grid("MsfInfectd"), r)) c("cmdIgn").setVisible(false);
    });
}

namespace {

// The ignore list part of Ignore: any failure from the query on is reported
// in the status panel and leaves the row unmarked.
void addToIgnoreList(Frm0& f, int row, const std::string& path) {
    try {
        if (IgnoreListHas(path)) {
            f.c("lblCncMsg").setCaption(scanner::kAlreadyAdded);
        } else {
            IgnoreListAdd(path);
            f.c("lblCncMsg").setCaption(scanner::kAddedToIgnoreList);
        }
        f.c("picCncMsg").setVisible(true);
        f.grid("MsfInfectd").setTextMatrix(row, kIgnoreCell, kIgnored);
        f.HideRowButtons();
        f.CheckNothingLeftToDelete();
        f.grid("MsfInfectd").setEnabled(true);
        pointer(rt::PointerDefault);
    } catch (const rt::Error&) {
        f.c("lblCncMsg").setCaption(kUnknownError);
        f.c("picCncMsg").setVisible(true);
    }
}

}  // namespace

// Adds the path of the row under the mouse to the ignore list and marks the
// row. While the Ignore button shows, it acts on the row it floats over: on
// its way to the button the pointer may have crossed a neighbouring row last.
// Only a row over which the button can show is taken.
void Frm0::IgnoreSelectedResult() {
    auto& results = grid("MsfInfectd");
    int r = results.mouseRow();
    if (c("cmdIgn").visible()) r = SelectedRow;
    SelectedCol = results.mouseCol();
    SelectedRow = r;
    if (r == 0) return;
    std::string path;
    bool eligible = false;
    try {
        path = results.textMatrix(r, kPath);
        eligible = !offersNoAction(results, r) && offersIgnore(results, r);
    } catch (const rt::Error&) {
    }
    if (!eligible) {
        HideRowButtons();
        return;
    }
    if (scanner::TooLongForIgnoreList(path)) {
        rt::app().msgBox(scanner::kTooBigToAdd, rt::Information);
        return;
    }
    if (!EnsureIgnoreDb()) {
        grid("MsfInfectd").setEnabled(true);
        c("lblCncMsg").setCaption(kIgnoreDbError);
        c("picCncMsg").setVisible(true);
        return;
    }
    addToIgnoreList(*this, r, path);
}

void Frm0::HideRowButtons() {
    c("cmdDel").setVisible(false);
    c("cmdIgn").setVisible(false);
}

// With no row left offering an action the alerts close.
void Frm0::CheckNothingLeftToDelete() {
    if (NothingLeftToActOn(grid("MsfInfectd"))) watch::frm1().c("txtUnldAlrt").append(".");
}

void Frm0::ShowIgnoreList() { scanner::frmIgnrLst().show(); }

}  // namespace tavlo::core
