#include "runtime/Grid.h"

#include <algorithm>

#include "runtime/ErrorReport.h"

namespace tavlo::rt {

namespace {
const std::string kEmpty;
constexpr Twips kDefaultColWidth = 960;
}  // namespace

Grid::Grid(Form& form, ControlDesign design) : Control(form, std::move(design)) {
    cells_.assign(2, std::vector<std::string>(cols_));
    colWidths_.assign(cols_, kDefaultColWidth);
}

// Rows and Cols keep the cells that still fit; new cells are empty.
void Grid::setRows(int n) {
    if (n < 0 || n < fixedRows_) throw Error("Invalid Row value");
    cells_.resize(n, std::vector<std::string>(cols_));
    row_ = std::clamp(row_, std::min(fixedRows_, n - 1), std::max(n - 1, 0));
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, n - 1));
    notifyGrid();
}

void Grid::setCols(int n) {
    if (n < 1) throw Error("Invalid Col value");
    cols_ = n;
    for (auto& r : cells_) r.resize(n);
    colWidths_.resize(n, kDefaultColWidth);
    col_ = std::min(col_, n - 1);
    notifyGrid();
}

void Grid::setFixedRows(int n) {
    if (n < 0 || n > rows()) throw Error("Invalid FixedRows value");
    fixedRows_ = n;
    topRow_ = std::clamp(topRow_, n, std::max(n, rows() - 1));
    notifyGrid();
}

Twips Grid::colWidth(int col) const {
    if (col < 0 || col >= cols_) throw Error("Subscript out of range");
    return colWidths_[col];
}

void Grid::setColWidth(int col, Twips width) {
    if (col < 0 || col >= cols_) throw Error("Subscript out of range");
    colWidths_[col] = std::max(width, 0);
    notifyGrid();
}

const std::string& Grid::textMatrix(int row, int col) const {
    if (row < 0 || row >= rows() || col < 0 || col >= cols_) throw Error("Subscript out of range");
    return cells_[row][col];
}

void Grid::setTextMatrix(int row, int col, const std::string& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= cols_) throw Error("Subscript out of range");
    cells_[row][col] = text;
    notifyGrid();
}

void Grid::setTopRow(int row) {
    const int top = std::clamp(row, fixedRows_, std::max(fixedRows_, rows() - 1));
    if (top == topRow_) return;
    topRow_ = top;
    notifyGrid();
    if (onScroll) onScroll();
}

void Grid::setRow(int r) {
    if (r < 0 || r >= rows()) throw Error("Invalid Row value");
    row_ = r;
}

void Grid::setCol(int c) {
    if (c < 0 || c >= cols_) throw Error("Invalid Col value");
    col_ = c;
}

// Fixed rows stay in place; scrolled rows start below them at TopRow.
Twips Grid::cellTop() const {
    if (row_ < fixedRows_) return row_ * rowHeight_;
    return (fixedRows_ + row_ - topRow_) * rowHeight_;
}

Twips Grid::colPos(int col) const {
    Twips x = 0;
    for (int c = 0; c < col && c < cols_; ++c) x += colWidths_[c];
    return x;
}

int Grid::visibleRows() const {
    return std::max(0, (height() - fixedRows_ * rowHeight_) / rowHeight_);
}

void Grid::clickCell(int row, int col) {
    setMouseCell(row, col);
    if (row >= fixedRows_ && row < rows()) row_ = row;
    if (col >= 0 && col < cols_) col_ = col;
    click();
}


}  // namespace tavlo::rt
