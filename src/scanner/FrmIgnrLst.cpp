#include "scanner/FrmIgnrLst.h"

#include <algorithm>
#include <charconv>

#include "core/Frm0.h"
#include "core/Store.h"
#include "runtime/ErrorReport.h"
#include "scanner/IgnorePaths.h"

namespace tavlo::scanner {

namespace {

constexpr const char* kHeading = "Auto deletion will ignore all the items listed hare.";
constexpr const char* kConfirmRemove = "Confirm remove from ignore list.                    ";
constexpr const char* kEnterItem = "Enter an item into the ignore list";
constexpr const char* kNotNormalPath = "Enter a normal path.";
constexpr const char* kInvalidChars = "Invalid Character(s) entered.";
constexpr const char* kIgnoreDbError = "Ignore list error... Reinstall Tavlo to recover the problem.";
constexpr const char* kRemoved = "[Removed]";
constexpr const char* kDontIgnore = "Don't Ignore";

// The smallest outer size the layout keeps.
constexpr rt::Twips kMinWidth = 10000;
constexpr rt::Twips kMinHeight = 3500;

// Opening the ignore database puts the pointer back whatever the outcome, so
// a failed opening needs no reset of its own.
void pointer(int p) { rt::app().setScreenPointer(p); }

}  // namespace

FrmIgnrLst& frmIgnrLst() { return rt::app().instance<FrmIgnrLst>(); }

FrmIgnrLst::FrmIgnrLst() : Form("frmIgnrLst") {}

// A client area of 9870 x 6285 inside a sizable frame with a title bar.
rt::FormDesign FrmIgnrLst::formDesign() {
    rt::FormDesign d;
    d.caption = "Ignore List";
    d.width = 9870 + 120;
    d.height = 6285 + 405;
    d.border = rt::BorderStyle::Sizable;
    return d;
}

void FrmIgnrLst::buildControls() {
    using rt::Kind;
    // The status line is as wide as the heading: the database error runs past its end.
    add({.kind = Kind::Label, .name = "Label1", .left = 120, .top = 0, .width = 3345, .height = 195,
         .text = kHeading, .transparent = true});
    auto& list = addGrid({.name = "MsfInfectd", .left = 120, .top = 240, .width = 8535, .height = 5475});
    list.onClick = [this] { PlaceRemoveButton(); };
    list.onScroll = [this] { HideRemoveButton(); };
    add({.kind = Kind::Button, .name = "cmdRfrsh", .left = 4080, .top = 5760, .width = 1095, .height = 375,
         .text = "Refresh"})
        .onClick = [this] { LoadIgnoreList(); };
    add({.kind = Kind::Button, .name = "cmdAddIt", .left = 5400, .top = 5760, .width = 1095, .height = 375,
         .text = "Add an item"})
        .onClick = [this] { AddIgnoreEntry(); };
    add({.kind = Kind::Button, .name = "cmdDelIgnr", .left = 6720, .top = 5775, .width = 1935, .height = 375,
         .text = "Clear white list"})
        .onClick = [this] { ClearIgnoreList(); };
    add({.kind = Kind::Button, .name = "cmdDel", .width = 855, .height = 255, .text = "X", .visible = false,
         .toolTip = "Remove Item from Ignore List"})
        .onClick = [this] { RemoveClickedIgnoreEntry(); };
    add({.kind = Kind::Label, .name = "lblCncMsg", .left = 120, .top = 5880, .width = 3345, .height = 195,
         .text = kHeading, .transparent = true});
    addTimer("tmrLoad", 10, true).onTimer = [this] { StartIgnoreListLoad(); };
}

// The main window is loaded whenever its "White List" button opens this
// window; its icon is copied only then, so that a test of this window alone
// does not load the main window.
void FrmIgnrLst::InitIgnoreListWindow() {
    ClickedRow = 0;
    if (core::frm0().loaded()) setIcon(core::frm0().icon());
    c("lblCncMsg").setCaption("");
}

void FrmIgnrLst::StartIgnoreListLoad() {
    LoadIgnoreList();
    timer("tmrLoad").setEnabled(false);
}

void FrmIgnrLst::LoadIgnoreList() {
    c("cmdDelIgnr").setEnabled(false);
    pointer(rt::PointerHourglass);
    list().setEnabled(false);
    c("cmdDel").setVisible(false);
    resetListGrid();
    if (core::EnsureIgnoreDb()) fillList();
    list().setEnabled(true);
    pointer(rt::PointerDefault);
}

// Header row and three columns, no data row.
void FrmIgnrLst::resetListGrid() {
    auto& g = list();
    g.setRows(2);
    g.setCols(3);
    g.setColWidth(0, 0);
    g.setColWidth(1, 6000);
    g.setTextMatrix(0, 1, "Object to ignore");
    g.setFixedRows(1);
    g.setRows(1);
    g.setColWidth(2, 2000);
}

// One ordinary cell reading "Nill".
void FrmIgnrLst::showNill() {
    auto& g = list();
    g.setRows(1);
    g.setCols(1);
    g.setFixedRows(0);
    g.setColWidth(0, 5000);
    g.setTextMatrix(0, 0, "Nill");
}

// A table that cannot be read leaves the grid with its header only and the
// clear button disabled, after the error report.
void FrmIgnrLst::fillList() {
    std::vector<core::IgnoreRow> rows;
    bool read = false;
    rt::ErrorReport report;
    report.step([&] {
        rows = core::IgnoreListRows();
        read = true;
    });
    if (!read) return;
    if (rows.empty()) {
        showNill();
        return;
    }
    auto& g = list();
    for (const auto& row : rows) {
        g.setRows(g.rows() + 1);
        const int r = g.rows() - 1;
        g.setTextMatrix(r, 0, std::to_string(row.aut));
        g.setTextMatrix(r, 1, row.pat);
        g.setTextMatrix(r, 2, kDontIgnore);
    }
    c("cmdDelIgnr").setEnabled(true);
}

// The checks run in this order; the grid is not reloaded afterwards.
void FrmIgnrLst::AddIgnoreEntry() {
    c("cmdDel").setVisible(false);
    const std::string path = TrimBlanks(rt::app().inputBox(kEnterItem).value_or(""));
    if (TooLongForIgnoreList(path)) {
        rt::app().msgBox(kTooBigToAdd, rt::Information);
        return;
    }
    if (path.empty()) return;
    if (!core::EnsureIgnoreDb()) {
        list().setEnabled(true);
        c("lblCncMsg").setCaption(kIgnoreDbError);
        return;
    }
    if (!IsDriveStylePath(path)) {
        rt::app().msgBox(kNotNormalPath, rt::Exclamation);
        return;
    }
    if (HoldsApostrophe(path)) {
        rt::app().msgBox(kInvalidChars, rt::Exclamation);
        return;
    }
    addTypedPath(path);
}

void FrmIgnrLst::addTypedPath(const std::string& path) {
    rt::ErrorReport report;
    report.step([&] {
        if (core::IgnoreListHas(path)) {
            c("lblCncMsg").setCaption(kAlreadyAdded);
            return;
        }
        core::IgnoreListAdd(path);
        c("lblCncMsg").setCaption(kAddedToIgnoreList);
    });
}

// Floats the remove button over column 2 of the clicked row; a click on the
// header row places it over the grid's current row.
void FrmIgnrLst::PlaceRemoveButton() {
    auto& del = c("cmdDel");
    del.setVisible(false);
    try {
        auto& g = list();
        ClickedRow = g.mouseRow();
        if (g.rows() == 1) return;
        if (g.textMatrix(ClickedRow, 2) == kRemoved) return;
        del.move(g.left() + g.colWidth(0) + g.colWidth(1), g.top() + g.cellTop(), g.colWidth(2), del.height());
        del.setVisible(true);
    } catch (const rt::Error&) {
        del.setVisible(false);
    }
}

// The button is placed beside one row: once the rows move, it would stand
// beside another row while acting on the clicked one.
void FrmIgnrLst::HideRemoveButton() { c("cmdDel").setVisible(false); }

long FrmIgnrLst::recordNumberOf(int row) {
    const std::string& text = list().textMatrix(row, 0);
    long number = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) throw rt::Error("Type mismatch");
    return number;
}

void FrmIgnrLst::RemoveClickedIgnoreEntry() {
    if (rt::app().msgBox(kConfirmRemove, rt::YesNo | rt::Information) == rt::No) return;
    if (ClickedRow == 0) return;
    try {
        const long number = recordNumberOf(ClickedRow);
        if (!core::EnsureIgnoreDb()) {
            list().setEnabled(true);
            return;
        }
        if (core::IgnoreListRemove(number)) list().setTextMatrix(ClickedRow, 2, kRemoved);
        c("cmdDel").setVisible(false);
    } catch (const rt::Error&) {
        // A failed removal ends without a word; the grid shows what is true.
    }
}

// Removes exactly the entries the grid lists; rows already removed find
// nothing. Leaving through the error report's Abort still gives the window
// its buttons and grid back.
void FrmIgnrLst::ClearIgnoreList() {
    if (rt::app().msgBox(kConfirmRemove, rt::YesNo | rt::Information) == rt::No) return;
    if (!core::EnsureIgnoreDb()) {
        list().setEnabled(true);
        return;
    }
    clearListedRows();
    endBusy();
}

void FrmIgnrLst::clearListedRows() {
    rt::ErrorReport report;
    const int last = list().rows() - 1;
    for (int i = 1; i <= last; ++i) {
        c("cmdAddIt").setEnabled(false);
        c("cmdRfrsh").setEnabled(false);
        pointer(rt::PointerHourglass);
        list().setEnabled(false);
        const bool goOn = report.step([&] {
            if (core::IgnoreListRemove(recordNumberOf(i))) list().setTextMatrix(i, 2, kRemoved);
        });
        if (!goOn) return;
    }
}

void FrmIgnrLst::endBusy() {
    c("cmdAddIt").setEnabled(true);
    c("cmdRfrsh").setEnabled(true);
    pointer(rt::PointerDefault);
    list().setEnabled(true);
}

// Each statement that fails is skipped and the next one runs.
void FrmIgnrLst::LayoutIgnoreListWindow() {
    using rt::skipOnError;
    auto& g = list();
    auto& refresh = c("cmdRfrsh");
    auto& addItem = c("cmdAddIt");
    auto& clear = c("cmdDelIgnr");
    skipOnError([&] { setWidth(std::max(width(), kMinWidth)); });
    skipOnError([&] { setHeight(std::max(height(), kMinHeight)); });
    skipOnError([&] { g.setWidth(width() - 450); });
    skipOnError([&] { g.setHeight(height() - 1215); });
    skipOnError([&] { g.setLeft(static_cast<rt::Twips>(width() / 2.0 - (g.width() / 2.0 + 60))); });
    skipOnError([&] { refresh.setTop(g.top() + g.height() + 60); });
    skipOnError([&] { clear.setTop(refresh.top()); });
    skipOnError([&] { addItem.setTop(refresh.top()); });
    skipOnError([&] { clear.setLeft(g.left() + g.width() - clear.width()); });
    skipOnError([&] { addItem.setLeft(clear.left() - (addItem.width() + 300)); });
    skipOnError([&] { refresh.setLeft(addItem.left() - (refresh.width() + 300)); });
    skipOnError([&] { c("lblCncMsg").setTop(refresh.top() + 60); });
}

}  // namespace tavlo::scanner
