#include "runtime/win32/ControlWindow.h"

#include "runtime/win32/FormWindow.h"
#include "runtime/win32/Gdi.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

ControlWindow::ControlWindow(FormWindow& form, Container& container, Control& control)
    : form_(form), container_(container), control_(&control) {}

ControlWindow::~ControlWindow() { retire(); }

void ControlWindow::retire() {
    if (control_ && control_->view() == this) control_->setView(nullptr);
    control_ = nullptr;
}

UiContext& ControlWindow::ui() const { return form_.ui(); }
const Scale& ControlWindow::scale() const { return form_.ui().scale; }

RECT ControlWindow::placement() const {
    if (!control_) return shownAt_;
    const Scale& s = scale();
    const int x = s.px(control_->left()), y = s.px(control_->top());
    return RECT{x, y, x + s.px(control_->width()), y + s.px(control_->height())};
}

CreateArgs ControlWindow::childArgs(DWORD style, DWORD exStyle) const {
    CreateArgs a;
    a.text = widen(control_->text());
    a.style = style | WS_CHILD | WS_CLIPSIBLINGS | (control_->enabled() ? 0 : WS_DISABLED);
    a.exStyle = exStyle;
    a.rect = placement();
    a.parent = container_.containerHwnd();
    return a;
}

void ControlWindow::showIfVisible() {
    if (control_ && control_->visible()) ShowWindow(hwnd(), SW_SHOWNA);
    if (control_ && !control_->toolTip().empty()) form_.setToolTip(hwnd(), control_->toolTip());
    shownAt_ = placement();
}

HFONT ControlWindow::font() {
    if (!font_ && control_) font_ = makeFont(control_->font(), scale());
    return font_.get();
}

HBRUSH ControlWindow::backBrush() {
    if (!brush_ && control_) brush_ = makeBrush(control_->backColor());
    return brush_.get();
}

void ControlWindow::changed(Control& control, Prop prop) {
    if (&control != control_ || !hwnd()) return;
    update(prop);
}

void ControlWindow::update(Prop prop) {
    HWND h = hwnd();
    switch (prop) {
    case Prop::Geometry:
    case Prop::Line: moveToPlacement(); break;
    case Prop::Visible:
        ShowWindow(h, control_->visible() ? SW_SHOWNA : SW_HIDE);
        if (lightweight()) invalidateArea();
        break;
    case Prop::Enabled:
        EnableWindow(h, control_->enabled());
        invalidateArea();
        break;
    case Prop::Font:
        font_.reset();
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font()), TRUE);
        invalidateArea();
        break;
    case Prop::BackColor:
        brush_.reset();
        invalidateArea();
        break;
    case Prop::ToolTip: form_.setToolTip(h, control_->toolTip()); break;
    case Prop::Text:
        showText();
        invalidateArea();
        break;
    case Prop::ForeColor:
    case Prop::Picture:
    case Prop::Value:
    case Prop::Grid: invalidateArea(); break;
    default: break;
    }
}

// A lightweight control that moves leaves its old area to be repainted too.
void ControlWindow::moveToPlacement() {
    const RECT r = placement();
    const RECT old = shownAt_;
    shownAt_ = r;
    applying_ = true;
    MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    applying_ = false;
    if (lightweight()) {
        invalidateArea(old);
        invalidateArea(r);
    }
}

void ControlWindow::showText() {
    if (control_ && windowText(hwnd()) != control_->text()) SetWindowTextW(hwnd(), widen(control_->text()).c_str());
}

void ControlWindow::reportMove() {
    if (!control_ || applying_) return;
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(nullptr, container_.containerHwnd(), reinterpret_cast<POINT*>(&r), 2);
    shownAt_ = r;
    control_->movedByUser(scale().twips(r.left), scale().twips(r.top));
}

void ControlWindow::invalidateArea(const RECT& area) const {
    RedrawWindow(container_.containerHwnd(), &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ControlWindow::paintBackdrop(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    MapWindowPoints(hwnd(), container_.containerHwnd(), reinterpret_cast<POINT*>(&r), 2);
    POINT old;
    OffsetViewportOrgEx(dc, -r.left, -r.top, &old);
    form_.paintBelow(dc, container_, r, lightweight() ? this : nullptr);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

std::optional<LRESULT> ControlWindow::handleMouse(UINT msg, WPARAM wp, LPARAM lp) {
    if (!control_) return std::nullopt;
    return mouse_.handle(hwnd(), msg, wp, lp, scale(), *this);
}

LRESULT ControlWindow::colorReply(HDC dc) {
    if (!control_) return 0;
    SetTextColor(dc, toColorRef(control_->foreColor()));
    SetBkColor(dc, toColorRef(control_->backColor()));
    SelectObject(dc, font());
    return reinterpret_cast<LRESULT>(backBrush());
}

bool ControlWindow::mouseDown(int b, int s, Twips x, Twips y) {
    if (control_) control_->mouseDown(b, s, x, y);
    return control_ != nullptr;
}

bool ControlWindow::mouseMove(int b, int s, Twips x, Twips y) {
    if (control_) control_->mouseMove(b, s, x, y);
    return control_ != nullptr;
}

bool ControlWindow::mouseUp(int b, int s, Twips x, Twips y) {
    if (control_) control_->mouseUp(b, s, x, y);
    return control_ != nullptr;
}

bool ControlWindow::click() {
    if (control_) control_->click();
    return control_ != nullptr;
}

bool ControlWindow::dblClick() {
    if (control_) control_->dblClick();
    return control_ != nullptr;
}

std::optional<LRESULT> reflectToChild(UINT msg, WPARAM wp, LPARAM lp) {
    HWND child = nullptr;
    switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_VSCROLL:
    case WM_HSCROLL: child = reinterpret_cast<HWND>(lp); break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem; break;
    default: return std::nullopt;
    }
    auto* view = dynamic_cast<ControlWindow*>(Window::from(child));
    if (!view) return std::nullopt;
    auto keep = view->weak_from_this().lock();
    return view->reflect(msg, wp, lp);
}

}  // namespace tavlo::rt::win32
