// A text box on the system's EDIT class. What the user types goes to the
// model's text, which raises Change once; text set by code is shown without
// coming back as a second change. Typed keys pass the KeyPress handler, which
// may change or swallow them.
#include "runtime/win32/Gdi.h"
#include "runtime/win32/Text.h"
#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

namespace {

class EditView : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool build() override {
        const DWORD align = control_->alignment() == 1 ? ES_RIGHT : control_->alignment() == 2 ? ES_CENTER : ES_LEFT;
        const DWORD lines = control_->multiLine() ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN : ES_AUTOHSCROLL;
        CreateArgs a = childArgs(WS_TABSTOP | lines | align, control_->border() ? WS_EX_CLIENTEDGE : 0);
        a.className = L"EDIT";
        if (!create(a)) return false;
        // What the user may type; without a MaxLength no limit (trigger boxes
        // grow by a character per use). Text set by code is never cut.
        SendMessageW(hwnd(), EM_SETLIMITTEXT, static_cast<WPARAM>(control_->maxLength()), 0);
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
        return true;
    }

    std::optional<LRESULT> reflect(UINT msg, WPARAM wp, LPARAM) override {
        switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == EN_CHANGE && !showing_ && control_) control_->setText(windowText(hwnd()));
            return 0;
        case WM_CTLCOLOREDIT:
            return colorReply(reinterpret_cast<HDC>(wp));
        default: return std::nullopt;
        }
    }

protected:
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_CHAR: return typed(wp, lp);
        case WM_KILLFOCUS: {
            const LRESULT r = defaultProc(msg, wp, lp);
            if (control_) control_->lostFocus();
            return r;
        }
        default: return std::nullopt;
        }
    }

    void update(Prop prop) override {
        if (prop != Prop::Text) {
            ControlWindow::update(prop);
            return;
        }
        showing_ = true;
        showText();
        showing_ = false;
    }

private:
    LRESULT typed(WPARAM wp, LPARAM lp) {
        if (!control_) return 0;
        const int key = control_->keyPress(static_cast<int>(wp));
        if (key == 0 || !control_) return 0;
        return defaultProc(WM_CHAR, static_cast<WPARAM>(key), lp);
    }

    bool showing_ = false;  // the model's text going to the window
};

}  // namespace

ViewPtr makeEditView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<EditView>(f, c, control);
}

}  // namespace tavlo::rt::win32
