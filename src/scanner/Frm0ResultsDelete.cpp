// The main window's delete actions on the results grid: Delete on the
// clicked row and Delete All over every open row. A file is deleted only
// after the user said Yes, and only while the grid the user answered about is
// still the one on screen.
#include "core/Frm0.h"
#include "runtime/ErrorReport.h"
#include "scanner/ResultCells.h"

namespace tavlo::core {

using namespace scanner::cells;

namespace {

const std::string kBlanks20(20, ' ');
const std::string kConfirmDelete = "Delete  permanently. Continue?" + kBlanks20;
const std::string kWarnIgnored = "Warning!! This item is in your ignore list?" + kBlanks20;
const std::string kConfirmDeleteAll = "Confirm remove all items" + kBlanks20;

void pointer(int p) { rt::app().setScreenPointer(p); }

// The system's reason for a refused file operation, as the error report shows it.
[[noreturn]] void fileError() {
    std::string reason = rt::app().sys().files.lastError();
    throw rt::Error(reason.empty() ? "Path/File access error" : reason);
}

void resetAttributes(const std::string& path) {
    if (!rt::app().sys().files.resetAttributes(path)) fileError();
}

void removeFile(const std::string& path) {
    if (!rt::app().sys().files.remove(path)) fileError();
}

bool confirmed(const std::string& question, int style) { return rt::app().msgBox(question, style) != rt::No; }

// One row of Delete All. A file that the normal-file search does not find (a
// hidden or system file, or one already gone) is left alone and its row
// loses both action cells. A failure leaves the row's cells as they are.
void deleteRowFile(Frm0& f, int row, int loads) {
    auto& results = f.grid("MsfInfectd");
    const std::string ignoreCell = results.textMatrix(row, kIgnoreCell);
    const std::string deleteCell = results.textMatrix(row, kDeleteCell);
    if (ignoreCell == kIgnored || deleteCell == kDeleted) return;
    if (results.textMatrix(row, kPath) == kAbortRow) return;
    const std::string path = results.textMatrix(row, kPath);
    if (!rt::app().sys().files.existsNormal(path)) {
        results.setTextMatrix(row, kDeleteCell, "");
        results.setTextMatrix(row, kIgnoreCell, "");
        return;
    }
    resetAttributes(path);
    removeFile(path);
    rt::app().doEvents();
    if (loads != f.ResultsGridLoads) return;
    f.grid("MsfInfectd").setTextMatrix(row, kIgnoreCell, "");
    f.grid("MsfInfectd").setTextMatrix(row, kDeleteCell, kDeleted);
}

}  // namespace

// Deletes the file of the clicked row, the path that the click put into
// lblFF2Kill, after one question, or two when the row is ignored. A failure
// goes to the error report; after Ignore there the row is still marked.
void Frm0::DeleteSelectedFile() {
    const int loads = ResultsGridLoads;
    const int r = SelectedRow;
    rt::ErrorReport report;
    // Questions and boxes let other windows run: the grid may be rebuilt.
    auto step = [&](auto&& s) { return report.step(s) && loads == ResultsGridLoads; };
    bool abortRow = false;
    if (!step([&] { abortRow = grid("MsfInfectd").textMatrix(r, kPath) == kAbortRow; })) return;
    if (abortRow) return;
    if (!confirmed(kConfirmDelete, rt::YesNo)) return;
    bool ignored = false;
    if (!step([&] { ignored = grid("MsfInfectd").textMatrix(r, kIgnoreCell) == kIgnored; })) return;
    if (ignored && !confirmed(kWarnIgnored + "\r\n" + kConfirmDelete, rt::YesNo)) return;
    if (loads != ResultsGridLoads) return;
    const std::string path = c("lblFF2Kill").caption();
    if (!step([&] { resetAttributes(path); })) return;
    if (!step([&] { removeFile(path); })) return;
    c("lblScaning").setCaption("");
    const bool marked = step([&] {
        auto& results = grid("MsfInfectd");
        results.setTextMatrix(r, kRating, "");
        results.setTextMatrix(r, kIgnoreCell, "");
        results.setTextMatrix(r, kDeleteCell, kDeleted);
    });
    if (!marked) return;
    HideRowButtons();
    c("lblCncMsg").setCaption("Deleted");
    c("picCncMsg").setVisible(true);
    if (!report.step([&] { CheckNothingLeftToDelete(); })) return;
    grid("MsfInfectd").setEnabled(true);
    pointer(rt::PointerDefault);
}

// Deletes the file of every open row, found by the normal-file search. The
// grid takes no clicks meanwhile; rows a scan appends during the yields lie
// beyond the bound and are not visited. When the main window is rebuilt
// during a yield the run stops: its rows are gone.
void Frm0::DeleteAllResults() {
    const int loads = ResultsGridLoads;
    if (!confirmed(kConfirmDeleteAll, rt::YesNo | rt::Information)) return;
    if (loads != ResultsGridLoads) return;
    pointer(rt::PointerHourglass);
    grid("MsfInfectd").setEnabled(false);
    const int last = grid("MsfInfectd").rows() - 1;
    for (int i = 1; i <= last && loads == ResultsGridLoads; ++i) {
        try {
            deleteRowFile(*this, i, loads);
        } catch (const rt::Error&) {
            // The row keeps its cells; the next row goes on.
        }
    }
    rt::ErrorReport report;
    if (!report.step([&] { CheckNothingLeftToDelete(); })) return;
    grid("MsfInfectd").setEnabled(true);
    pointer(rt::PointerDefault);
}

}  // namespace tavlo::core
