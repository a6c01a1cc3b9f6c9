// A flexible grid: a table of text cells with fixed header rows, a current
// cell, a first shown row and the row and column under the mouse.
#pragma once

#include "runtime/Control.h"

namespace tavlo::rt {

class Grid : public Control {
public:
    Grid(Form& form, ControlDesign design);

    int rows() const { return static_cast<int>(cells_.size()); }
    void setRows(int n);
    int cols() const { return cols_; }
    void setCols(int n);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int n);

    Twips colWidth(int col) const;
    void setColWidth(int col, Twips width);
    Twips rowHeight() const { return rowHeight_; }

    const std::string& textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const std::string& text);

    // The first row shown below the fixed rows; kept between FixedRows and
    // Rows - 1. A change, by code or by the scroll bar, raises Scroll.
    int topRow() const { return topRow_; }
    void setTopRow(int row);
    // The current cell; a click moves it to the cell under the mouse.
    int row() const { return row_; }
    int col() const { return col_; }
    void setRow(int r);
    void setCol(int c);
    // The cell under the mouse pointer, as the view or a test last reported it.
    int mouseRow() const { return mouseRow_; }
    int mouseCol() const { return mouseCol_; }
    void setMouseCell(int row, int col) { mouseRow_ = row; mouseCol_ = col; }
    // Top and height of the current cell inside the grid, in twips.
    Twips cellTop() const;
    Twips cellHeight() const { return rowHeight_; }
    // Left of a column inside the grid (columns before it, from column 0).
    Twips colPos(int col) const;
    // Rows that fit below the fixed rows at the current height.
    int visibleRows() const;

    std::function<void()> onScroll;
    // A user click on a cell: moves the current cell there, then raises Click.
    void clickCell(int row, int col);

private:
    void notifyGrid() { notify(Prop::Grid); }
    std::vector<std::vector<std::string>> cells_;
    std::vector<Twips> colWidths_;
    int cols_ = 2;
    int fixedRows_ = 1;
    int topRow_ = 1;
    int row_ = 1, col_ = 1;
    int mouseRow_ = 0, mouseCol_ = 0;
    Twips rowHeight_ = 240;
};

}  // namespace tavlo::rt
