// The flexible grid, drawn by the view: fixed header rows, columns of the
// model's widths (a 0-width column is hidden), rows below the header from
// TopRow on, and a vertical scroll bar. A click goes to the model as the
// cell under the mouse; scrolling sets TopRow, which raises Scroll.
#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/Grid.h"
#include "runtime/win32/Gdi.h"
#include "runtime/win32/Text.h"
#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

namespace {

constexpr COLORREF kLineColor = RGB(192, 192, 192);
constexpr COLORREF kFixedLineColor = RGB(128, 128, 128);

class GridView : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool build() override {
        const DWORD border = control_->border() ? WS_BORDER : 0;
        if (!create(childArgs(WS_VSCROLL | WS_TABSTOP | border))) return false;
        updateScroll();
        return true;
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloGrid"; }

    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_PAINT: painted(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: updateScroll(); return std::nullopt;
        case WM_VSCROLL:
            if (scrollStale_) updateScroll();
            scrolled(LOWORD(wp));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd(), nullptr, FALSE); return std::nullopt;
        case WM_LBUTTONDOWN: SetFocus(hwnd()); break;
        case WM_MOUSEWHEEL: scrollTo(topRow() - 3 * GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA); return 0;
        default: break;
        }
        if (grid() && ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK))) {
            const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            const auto [row, col] = cellAt(at);
            grid()->setMouseCell(row, col);
        }
        return handleMouse(msg, wp, lp);
    }

    // Cell writes and new rows only mark the grid for the next paint of the
    // loop, once however many come before it: the whole client area when what
    // it shows changed, else the scroll bar alone, whose range follows at that
    // paint. A new first row shown (TopRow) moves the scroll box at once.
    void update(Prop prop) override {
        if (prop != Prop::Grid) {
            ControlWindow::update(prop);
            if (prop == Prop::Geometry) updateScroll();
            return;
        }
        if (grid() && grid()->topRow() != scroll_.nPos) {
            updateScroll();
        } else {
            scrollStale_ = true;
        }
        if (clientMarked_) return;
        if (!showsNow(shown_)) {
            InvalidateRect(hwnd(), nullptr, FALSE);
            clientMarked_ = true;
        } else if (scrollStale_) {
            markScrollBar();
        }
    }

    bool click() override {
        if (Grid* g = grid()) g->clickCell(g->mouseRow(), g->mouseCol());
        return control_ != nullptr;
    }

private:
    Grid* grid() const { return dynamic_cast<Grid*>(control_); }
    int rowPx() const { return std::max(1, scale().px(grid()->rowHeight())); }
    int topRow() const { return grid() ? grid()->topRow() : 0; }

    int pageRows() const {
        RECT c;
        GetClientRect(hwnd(), &c);
        return std::max(1, static_cast<int>(c.bottom) / rowPx() - grid()->fixedRows());
    }

    // The row at a displayed line: fixed rows first, then rows from the first shown.
    int rowAtLine(int line, int top) const {
        return line < grid()->fixedRows() ? line : top + line - grid()->fixedRows();
    }

    // The cell drawn under a point: a click acts on the row the user sees,
    // even when the model has moved on before the next paint.
    std::pair<int, int> cellAt(POINT p) const {
        const Grid& g = *grid();
        const int top = shown_.top >= 0 ? shown_.top : g.topRow();
        const int line = std::max(0, static_cast<int>(p.y)) / rowPx();
        const int row = std::clamp(rowAtLine(line, top), 0, std::max(0, g.rows() - 1));
        int col = g.cols() - 1;
        for (int c = 0; c < g.cols(); ++c) {
            if (p.x < scale().px(g.colPos(c + 1)) && scale().px(g.colWidth(c)) > 0) {
                col = c;
                break;
            }
        }
        return {row, std::max(col, 0)};
    }

    void updateScroll() {
        Grid* g = grid();
        if (!g) return;
        scrollStale_ = false;
        barMarked_ = false;
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        si.nMin = g->fixedRows();
        si.nMax = std::max(g->fixedRows(), g->rows() - 1);
        si.nPage = static_cast<UINT>(pageRows());
        si.nPos = g->topRow();
        if (scrollSet_ && si.nMin == scroll_.nMin && si.nMax == scroll_.nMax && si.nPage == scroll_.nPage &&
            si.nPos == scroll_.nPos) {
            return;
        }
        scroll_ = si;
        scrollSet_ = true;
        SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
    }

    // Marks the scroll bar alone for the next paint, once: the paint finds no
    // client area to draw and only brings the scroll bar's range up to date.
    // A hidden bar has nothing to mark and no paint would come: its range is
    // set at once, which shows the bar when the rows outgrow the view.
    void markScrollBar() {
        if (!(GetWindowLongW(hwnd(), GWL_STYLE) & WS_VSCROLL)) {
            updateScroll();
            return;
        }
        if (barMarked_) return;
        RECT bar;
        GetClientRect(hwnd(), &bar);
        bar.left = bar.right;
        bar.right += GetSystemMetrics(SM_CXVSCROLL);
        RedrawWindow(hwnd(), &bar, nullptr, RDW_FRAME | RDW_INVALIDATE);
        barMarked_ = true;
    }

    void scrolled(int code) {
        if (!grid()) return;
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hwnd(), SB_VERT, &si);
        int top = topRow();
        switch (code) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= pageRows(); break;
        case SB_PAGEDOWN: top += pageRows(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = si.nTrackPos; break;
        case SB_TOP: top = si.nMin; break;
        case SB_BOTTOM: top = si.nMax; break;
        default: return;
        }
        scrollTo(top);
    }

    // The last row may come up to the bottom, no further.
    void scrollTo(int top) {
        Grid* g = grid();
        if (!g) return;
        const int last = std::max(g->fixedRows(), g->rows() - pageRows());
        g->setTopRow(std::clamp(top, g->fixedRows(), last));
    }

    // What the grid's client area shows: rows appended below the last line
    // in view change only the scroll bar.
    struct Shown {
        int top = -1, row = 0, col = 0;
        bool enabled = true;
        std::vector<Twips> widths;
        std::vector<std::string> cells;
        bool operator==(const Shown&) const = default;
    };

    // Calls `each` with the text of every cell in view, line by line; the
    // last line may be partly in view.
    template <class Each>
    void forCellsInView(Each&& each) const {
        const Grid& g = *grid();
        const int lines = pageRows() + g.fixedRows() + 1;
        for (int line = 0; line < lines && rowAtLine(line, g.topRow()) < g.rows(); ++line) {
            for (int c = 0; c < g.cols(); ++c) each(g.textMatrix(rowAtLine(line, g.topRow()), c));
        }
    }

    Shown shownNow() const {
        Shown s;
        const Grid* g = grid();
        if (!g) return s;
        s.top = g->topRow();
        s.row = g->row();
        s.col = g->col();
        s.enabled = g->enabled();
        for (int c = 0; c < g->cols(); ++c) s.widths.push_back(g->colWidth(c));
        forCellsInView([&s](const std::string& text) { s.cells.push_back(text); });
        return s;
    }

    // Whether the grid still shows `s`: shownNow() == s without copying the
    // cells, as the scan asks it at every write.
    bool showsNow(const Shown& s) const {
        const Grid* g = grid();
        if (!g) return s.top < 0;
        if (s.top != g->topRow() || s.row != g->row() || s.col != g->col() || s.enabled != g->enabled() ||
            s.widths.size() != static_cast<std::size_t>(g->cols())) {
            return false;
        }
        for (int c = 0; c < g->cols(); ++c) {
            if (s.widths[c] != g->colWidth(c)) return false;
        }
        std::size_t i = 0;
        bool same = true;
        forCellsInView([&](const std::string& text) {
            same = same && i < s.cells.size() && s.cells[i] == text;
            ++i;
        });
        return same && i == s.cells.size();
    }

    // A paint draws the whole client area whenever what it shows changed
    // since the last one, whatever part of it was marked.
    void painted() {
        clientMarked_ = barMarked_ = false;
        if (scrollStale_) updateScroll();
        Shown now = shownNow();
        if (now != shown_) InvalidateRect(hwnd(), nullptr, FALSE);
        shown_ = std::move(now);
        paint();
    }

    Shown shown_;          // as last painted
    SCROLLINFO scroll_{};  // what the scroll bar was last given
    bool scrollSet_ = false;
    bool scrollStale_ = false;   // the rows changed since
    bool clientMarked_ = false;  // the client area is marked for the next paint
    bool barMarked_ = false;     // the scroll bar alone is

    void paint() {
        BufferedPaint p(hwnd());
        if (p.nothing()) return;
        HDC dc = p.dc();
        fillRect(dc, p.client(), GetSysColor(COLOR_APPWORKSPACE));
        const Grid* g = grid();
        if (!g) return;
        Selection font(dc, this->font());
        SetBkMode(dc, TRANSPARENT);
        for (int line = 0, y = 0; y < p.client().bottom; ++line, y += rowPx()) {
            const int row = rowAtLine(line, g->topRow());
            if (row >= g->rows()) break;
            paintRow(dc, *g, row, y);
        }
    }

    void paintRow(HDC dc, const Grid& g, int row, int y) {
        const bool fixed = row < g.fixedRows();
        for (int c = 0; c < g.cols(); ++c) {
            const int x0 = scale().px(g.colPos(c)), x1 = scale().px(g.colPos(c + 1));
            if (x1 <= x0) continue;
            RECT cell{x0, y, x1, y + rowPx()};
            fillRect(dc, cell, fixed ? GetSysColor(COLOR_BTNFACE) : toColorRef(g.backColor()));
            paintText(dc, g, g.textMatrix(row, c), cell);
            const COLORREF line = fixed ? kFixedLineColor : kLineColor;
            fillRect(dc, RECT{cell.right - 1, cell.top, cell.right, cell.bottom}, line);
            fillRect(dc, RECT{cell.left, cell.bottom - 1, cell.right, cell.bottom}, line);
            if (!fixed && row == g.row() && c == g.col() && GetFocus() == hwnd()) {
                RECT focus{cell.left + 1, cell.top + 1, cell.right - 2, cell.bottom - 2};
                DrawFocusRect(dc, &focus);
            }
        }
    }

    void paintText(HDC dc, const Grid& g, const std::string& text, RECT cell) {
        if (text.empty()) return;
        SetTextColor(dc, g.enabled() ? toColorRef(g.foreColor()) : GetSysColor(COLOR_GRAYTEXT));
        cell.left += 2;
        cell.right -= 2;
        const std::wstring w = widen(text);
        DrawTextW(dc, w.c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    }
};

}  // namespace

ViewPtr makeGridView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<GridView>(f, c, control);
}

}  // namespace tavlo::rt::win32
