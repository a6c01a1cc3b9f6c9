// A picture box: a container window with a back colour and a picture drawn
// from its top-left corner. A custom control is a container that shows its
// own container through.
#include "runtime/win32/FormWindow.h"
#include "runtime/win32/Gdi.h"
#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

namespace {

class PictureBoxView : public ControlWindow, public Container {
public:
    PictureBoxView(FormWindow& f, Container& c, Control& control, bool opaque)
        : ControlWindow(f, c, control), opaque_(opaque) {}
    ~PictureBoxView() override {
        if (hwnd()) FormWindow::releaseEmbedded(hwnd());
    }

    bool build() override {
        const DWORD border = control_->border() ? WS_BORDER : 0;
        return create(childArgs(WS_CLIPCHILDREN | border));
    }
    HWND containerHwnd() const override { return hwnd(); }
    void paintBackground(HDC dc, const RECT& area) override {
        if (!opaque_) {
            paintBackdrop(dc);
            return;
        }
        fillRect(dc, area, toColorRef(control_ ? control_->backColor() : 0xFFFFFF));
        RECT client;
        GetClientRect(hwnd(), &client);
        if (control_) drawPicture(dc, control_->picture().handle, client);
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloPicture"; }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        if (auto r = reflectToChild(msg, wp, lp)) return r;
        switch (msg) {
        case WM_PAINT: {
            BufferedPaint p(hwnd());
            paintBackground(p.dc(), p.client());
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_MOVE: reportMove(); return 0;
        default: return handleMouse(msg, wp, lp);
        }
    }

private:
    bool opaque_;
};

}  // namespace

ViewPtr makePictureBoxView(FormWindow& f, Container& c, Control& control, bool opaque) {
    return std::make_shared<PictureBoxView>(f, c, control, opaque);
}

}  // namespace tavlo::rt::win32
