// Labels, images and lines: windows of their own that stack below the other
// controls and paint what lies beneath wherever they have no background.
#include <algorithm>

#include "runtime/win32/Gdi.h"
#include "runtime/win32/Text.h"
#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

namespace {

class LightView : public ControlWindow {
public:
    using ControlWindow::ControlWindow;
    bool build() override { return create(childArgs(0)); }
    bool lightweight() const override { return true; }

protected:
    virtual bool opaque() const = 0;
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_PAINT: {
            BufferedPaint p(hwnd());
            if (!opaque()) paintBackdrop(p.dc());
            paintContent(p.dc(), p.client());
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        default: return handleMouse(msg, wp, lp);
        }
    }
    void frame(HDC dc, const RECT& r) const {
        if (control_ && control_->border()) FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
};

// A text wraps at its blanks; one without a blank (a long path) stays on its
// first line from its start, cut at the edge, as the system draws it. Wine's
// word break would break such a word inside, after the "G:" of a path, and
// push the rest out of a one-line label.
UINT wrapFormat(const std::wstring& text) {
    return text.find_first_of(L" \t") == std::wstring::npos ? 0 : DT_WORDBREAK;
}

// A caption that changes marks the label for the next paint once, however
// often it changes before that paint. The window's text is the caption: asked
// within the process, the window answers from the control; the system's copy,
// which other programs read, follows at the paint.
class LabelView : public LightView {
public:
    using LightView::LightView;
    bool build() override {
        shown_ = control_->caption();
        return LightView::build();
    }
    void paintContent(HDC dc, const RECT& r) override {
        if (!control_) return;
        if (!control_->transparent()) fillRect(dc, r, toColorRef(control_->backColor()));
        Selection font(dc, this->font());
        SetBkMode(dc, TRANSPARENT);
        const std::wstring text = widen(control_->caption());
        const UINT align = control_->alignment() == 1 ? DT_RIGHT : control_->alignment() == 2 ? DT_CENTER : DT_LEFT;
        const UINT format = wrapFormat(text) | DT_NOPREFIX | DT_EXPANDTABS | align;
        RECT box = r;
        if (control_->enabled()) {
            SetTextColor(dc, toColorRef(control_->foreColor()));
        } else {
            // Disabled text is engraved: a white copy under a grey one.
            OffsetRect(&box, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextW(dc, text.c_str(), -1, &box, format);
            box = r;
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        }
        DrawTextW(dc, text.c_str(), -1, &box, format);
        frame(dc, r);
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloLabel"; }
    bool opaque() const override { return control_ && !control_->transparent(); }
    void update(Prop prop) override {
        if (prop != Prop::Text) {
            LightView::update(prop);
        } else if (!pending_) {
            pending_ = true;
            invalidateArea();
        }
    }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_PAINT) painting();
        if (!control_ || (msg != WM_GETTEXT && msg != WM_GETTEXTLENGTH)) return LightView::handle(msg, wp, lp);
        const std::wstring text = widen(control_->caption());
        if (msg == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
        if (wp == 0) return 0;
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(wp) - 1);
        auto* out = reinterpret_cast<wchar_t*>(lp);
        text.copy(out, n);
        out[n] = L'\0';
        return static_cast<LRESULT>(n);
    }

private:
    void painting() {
        pending_ = false;
        if (!control_ || shown_ == control_->caption()) return;
        shown_ = control_->caption();
        defaultProc(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(widen(shown_).c_str()));
    }

    std::string shown_;     // the text the system holds for the window
    bool pending_ = false;  // marked for the next paint
};

// An image shows its picture stretched to its size; without one it is clear.
class ImageView : public LightView {
public:
    using LightView::LightView;
    void paintContent(HDC dc, const RECT& r) override {
        if (!control_) return;
        stretchPicture(dc, control_->picture().handle, r);
        frame(dc, r);
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloImage"; }
    bool opaque() const override {
        const Handle h = control_ ? control_->picture().handle : 0;
        return h && !isIcon(h);
    }
};

// A line lies in a window around its two points; clicks pass through it.
class LineView : public LightView {
public:
    using LightView::LightView;
    RECT placement() const override {
        if (!control_) return LightView::placement();
        const Scale& s = scale();
        const int x1 = s.px(control_->x1()), y1 = s.px(control_->y1());
        const int x2 = s.px(control_->x2()), y2 = s.px(control_->y2());
        return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    }
    void paintContent(HDC dc, const RECT&) override {
        if (!control_) return;
        const Scale& s = scale();
        const RECT at = placement();
        const POINT a{s.px(control_->x1()) - at.left, s.px(control_->y1()) - at.top};
        const POINT b{s.px(control_->x2()) - at.left, s.px(control_->y2()) - at.top};
        const COLORREF color = toColorRef(control_->foreColor());
        UniquePen pen(CreatePen(PS_SOLID, 1, color));
        Selection sel(dc, pen.get());
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
        SetPixel(dc, b.x, b.y, color);
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloLine"; }
    bool opaque() const override { return false; }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_NCHITTEST) return HTTRANSPARENT;
        return LightView::handle(msg, wp, lp);
    }
};

}  // namespace

ViewPtr makeLabelView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<LabelView>(f, c, control);
}

ViewPtr makeImageView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<ImageView>(f, c, control);
}

ViewPtr makeLineView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<LineView>(f, c, control);
}

}  // namespace tavlo::rt::win32
