#include "runtime/win32/FormWindow.h"

#include <commctrl.h>

#include "runtime/win32/Gdi.h"
#include "runtime/win32/Modal.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

namespace {

struct Styles {
    DWORD style;
    DWORD exStyle;
};

Styles stylesOf(const FormDesign& d) {
    Styles s{WS_POPUP | WS_CLIPCHILDREN, 0};
    DWORD frame = 0, caption = d.titleBar ? WS_CAPTION : 0;
    switch (d.border) {
    case BorderStyle::None: caption = 0; break;
    case BorderStyle::Fixed: frame = WS_BORDER; break;
    case BorderStyle::Sizable: frame = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case BorderStyle::FixedDialog:
        frame = WS_DLGFRAME | DS_MODALFRAME;
        s.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    s.style |= frame | caption;
    if (caption && d.controlBox) s.style |= WS_SYSMENU;
    if (!d.controlBox) s.style &= ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    if (d.showInTaskbar) s.exStyle |= WS_EX_APPWINDOW;
    return s;
}

RECT rectInParent(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Sets a flag for one scope.
struct Applying {
    explicit Applying(bool& f) : flag(f) { flag = true; }
    ~Applying() { flag = false; }
    bool& flag;
};

}  // namespace

FormWindow::FormWindow(UiContext& ui, Form& form) : ui_(ui), form_(&form) {}

FormWindow::~FormWindow() {
    retire();
    if (hwnd()) releaseEmbedded(hwnd());
}

void FormWindow::releaseEmbedded(HWND container) {
    for (HWND child = GetWindow(container, GW_CHILD); child;) {
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (auto* guest = dynamic_cast<FormWindow*>(Window::from(child))) {
            RECT r;
            GetWindowRect(child, &r);
            SetParent(child, nullptr);
            SetWindowPos(child, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            guest->reportPosition();
        }
        child = next;
    }
}

bool FormWindow::build() {
    const FormDesign& d = form_->design();
    const Styles s = stylesOf(d);
    const Scale& sc = ui_.scale;
    CreateArgs a;
    a.text = widen(form_->caption());
    a.style = s.style;
    a.exStyle = s.exStyle;
    RECT frame{0, 0, 0, 0};
    if (d.placesClientArea) AdjustWindowRectEx(&frame, s.style, FALSE, s.exStyle);
    const int x = sc.px(form_->left()) + frame.left, y = sc.px(form_->top()) + frame.top;
    a.rect = RECT{x, y, x + sc.px(form_->width()), y + sc.px(form_->height())};
    a.parent = d.showInTaskbar ? nullptr : ui_.owner;
    background_ = ui_.pictures.load(d.picture);
    {
        Applying applying(applying_);
        if (!create(a)) return false;
    }
    DisabledWindows::holdIfOpen(hwnd());  // made under a box, it waits for the answer too
    applyIcon();
    if (d.placesClientArea) form_->movedByUser(sc.twips(x), sc.twips(y));
    RECT client;
    GetClientRect(hwnd(), &client);
    form_->setClientSize(sc.twips(client.right), sc.twips(client.bottom));
    if (!buildControls()) return false;
    if (form_ && form_->visible()) applyVisible();
    return true;
}

bool FormWindow::buildControls() {
    for (auto& c : form_->controls()) viewOf(*c);
    stackControls();
    for (auto& v : views_) v->showIfVisible();
    return true;
}

// Builds the view of a control after that of its container.
ControlWindow* FormWindow::viewOf(Control& control) {
    if (auto it = byControl_.find(&control); it != byControl_.end()) return it->second;
    byControl_[&control] = nullptr;
    Container* container = this;
    const std::string& holder = control.containerName();
    if (!holder.empty() && form_->has(holder)) {
        if (auto* c = dynamic_cast<Container*>(viewOf(form_->c(holder)))) container = c;
    }
    auto view = makeControlWindow(*this, *container, control);
    if (!view || !view->build()) return nullptr;
    control.setView(view.get());
    byControl_[&control] = view.get();
    views_.push_back(std::move(view));
    return views_.back().get();
}

// Lightweight controls lie below the others; within each group a later
// control lies over an earlier one.
void FormWindow::stackControls() {
    for (bool light : {true, false}) {
        for (auto& v : views_) {
            if (v->lightweight() == light) {
                SetWindowPos(v->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
    }
}

void FormWindow::retire() {
    for (auto& v : views_) v->retire();
    form_ = nullptr;
    hide();
}

// A modal window hands the keyboard back before it goes.
void FormWindow::hide() {
    if (!hwnd()) return;
    DisabledWindows::releaseFor(hwnd());
    ShowWindow(hwnd(), SW_HIDE);
}

Handle FormWindow::controlHWnd(const Control& control) const {
    auto it = byControl_.find(&control);
    return it != byControl_.end() && it->second ? reinterpret_cast<Handle>(it->second->hwnd()) : 0;
}

void FormWindow::setFocus(Control& control) {
    if (HWND h = reinterpret_cast<HWND>(controlHWnd(control))) SetFocus(h);
}

void FormWindow::changed(Prop prop) {
    if (!form_ || !hwnd()) return;
    switch (prop) {
    case Prop::Geometry: applyGeometry(); break;
    case Prop::Visible: applyVisible(); break;
    case Prop::Text: SetWindowTextW(hwnd(), widen(form_->caption()).c_str()); break;
    case Prop::Picture: applyIcon(); break;
    default: break;
    }
}

void FormWindow::applyGeometry() {
    const Scale& s = ui_.scale;
    Applying applying(applying_);
    SetWindowPos(hwnd(), nullptr, s.px(form_->left()), s.px(form_->top()), s.px(form_->width()),
                 s.px(form_->height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shown while a box holds it, the window goes behind the box, which keeps
// the keyboard: the box is the one window that takes input. A modal form
// takes the keyboard as its run starts, and a window never seen takes none.
void FormWindow::applyVisible() {
    if (!form_->visible()) {
        hide();
        return;
    }
    HWND box = IsWindowEnabled(hwnd()) ? nullptr : frontWindow();
    const bool activate = !box && !form_->modal() && onScreen(hwnd());
    ShowWindow(hwnd(), form_->design().maximized ? SW_SHOWMAXIMIZED : activate ? SW_SHOW : SW_SHOWNA);
    if (box && box != hwnd()) {
        const bool topmost = GetWindowLongW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST;
        SetWindowPos(box, topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    UpdateWindow(hwnd());
}

void FormWindow::applyIcon() {
    const Handle icon = form_->icon().handle;
    if (!isIcon(icon)) return;
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon));
}

void FormWindow::setToolTip(HWND tool, const std::string& text) {
    if (!toolTip_) {
        if (text.empty()) return;
        toolTip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       0, 0, 0, 0, hwnd(), nullptr, instance(), nullptr));
        if (!toolTip_) return;
        SendMessageW(toolTip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
    }
    std::wstring wide = widen(text);
    TOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = hwnd();
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = wide.data();
    const bool known = SendMessageW(toolTip_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)) != 0;
    ti.lpszText = wide.data();
    if (text.empty()) {
        if (known) SendMessageW(toolTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    } else {
        SendMessageW(toolTip_.get(), known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

void FormWindow::paintBackground(HDC dc, const RECT& area) {
    fillRect(dc, area, toColorRef(form_ ? form_->backColor() : 0xC0C0C0));
    RECT client;
    GetClientRect(hwnd(), &client);
    drawPicture(dc, background_.handle, client);
}

void FormWindow::paintBelow(HDC dc, Container& container, const RECT& area, const ControlWindow* upTo) {
    container.paintBackground(dc, area);
    for (auto& v : views_) {
        if (v.get() == upTo) break;
        if (&v->container() != &container || !v->lightweight() || !IsWindowVisible(v->hwnd())) continue;
        const RECT r = rectInParent(v->hwnd(), container.containerHwnd());
        RECT overlap;
        if (!IntersectRect(&overlap, &r, &area)) continue;
        POINT old;
        OffsetViewportOrgEx(dc, r.left, r.top, &old);
        v->paintContent(dc, RECT{0, 0, r.right - r.left, r.bottom - r.top});
        SetViewportOrgEx(dc, old.x, old.y, nullptr);
    }
}

void FormWindow::paint() {
    BufferedPaint p(hwnd());
    paintBackground(p.dc(), p.client());
}

void FormWindow::reportSize() {
    if (!form_) return;
    const Scale& s = ui_.scale;
    RECT client, outer;
    GetClientRect(hwnd(), &client);
    GetWindowRect(hwnd(), &outer);
    form_->setClientSize(s.twips(client.right), s.twips(client.bottom));
    if (!applying_) form_->sizedByUser(s.twips(outer.right - outer.left), s.twips(outer.bottom - outer.top));
}

// Inside another window (SetParent) the place is relative to that window.
void FormWindow::reportPosition() {
    if (!form_ || applying_ || IsIconic(hwnd())) return;
    RECT outer;
    GetWindowRect(hwnd(), &outer);
    HWND parent = GetAncestor(hwnd(), GA_PARENT);
    if (parent && parent != GetDesktopWindow()) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&outer), 2);
    form_->movedByUser(ui_.scale.twips(outer.left), ui_.scale.twips(outer.top));
}

LRESULT FormWindow::setCursor(WPARAM wp, LPARAM lp) {
    HWND under = reinterpret_cast<HWND>(wp);
    int pointer = 0;
    if (LOWORD(lp) == HTCLIENT && form_) {
        if (under == hwnd()) {
            pointer = form_->mousePointer();
        } else if (auto* v = dynamic_cast<ControlWindow*>(Window::from(under)); v && v->control()) {
            pointer = v->control()->mousePointer();
        }
    }
    if (ui_.cursors.apply(pointer)) return TRUE;
    return defaultProc(WM_SETCURSOR, wp, lp);
}

std::optional<LRESULT> FormWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (form_ && form_->message(msg, wp, static_cast<std::intptr_t>(lp))) return 0;
    if (auto r = reflectToChild(msg, wp, lp)) return r;
    switch (msg) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        if (wp != SIZE_MINIMIZED) reportSize();
        return 0;
    case WM_MOVE: reportPosition(); return 0;
    case WM_CLOSE:
        if (form_) form_->unload();
        return 0;
    case WM_SETCURSOR: return setCursor(wp, lp);
    case WM_CHAR:
        if (form_) form_->keyPress(static_cast<int>(wp));
        return 0;
    default: break;
    }
    if (form_) return mouse_.handle(hwnd(), msg, wp, lp, ui_.scale, *this);
    return std::nullopt;
}

bool FormWindow::mouseDown(int b, int s, Twips x, Twips y) {
    if (form_) form_->mouseDown(b, s, x, y);
    return form_ != nullptr;
}

bool FormWindow::mouseMove(int b, int s, Twips x, Twips y) {
    if (form_) form_->mouseMove(b, s, x, y);
    return form_ != nullptr;
}

bool FormWindow::mouseUp(int b, int s, Twips x, Twips y) {
    if (form_) form_->mouseUp(b, s, x, y);
    return form_ != nullptr;
}

bool FormWindow::click() {
    if (form_) form_->click();
    return form_ != nullptr;
}

bool FormWindow::dblClick() { return form_ != nullptr; }

}  // namespace tavlo::rt::win32
