// Command buttons, check boxes and option buttons on the system's BUTTON
// class. The boxes do not toggle themselves: a user click computes the new
// value and gives it to the model, which raises Click and shows it.
#include "runtime/win32/Gdi.h"
#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

namespace {

WPARAM checkStateOf(const Control& c) {
    if (c.kind() == Kind::Option) return c.value() ? BST_CHECKED : BST_UNCHECKED;
    switch (c.value()) {
    case 1: return BST_CHECKED;
    case 2: return BST_INDETERMINATE;
    default: return BST_UNCHECKED;
    }
}

DWORD buttonStyle(Kind kind) {
    switch (kind) {
    case Kind::CheckBox: return BS_3STATE;
    case Kind::Option: return BS_RADIOBUTTON;
    default: return BS_PUSHBUTTON;
    }
}

class ButtonView : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool build() override {
        CreateArgs a = childArgs(WS_TABSTOP | buttonStyle(control_->kind()));
        a.className = L"BUTTON";
        if (!create(a)) return false;
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
        showValue();
        return true;
    }

    std::optional<LRESULT> reflect(UINT msg, WPARAM wp, LPARAM) override {
        switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED) clicked();
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (control_ && control_->kind() != Kind::Button) return colorReply(reinterpret_cast<HDC>(wp));
            return std::nullopt;
        default: return std::nullopt;
        }
    }

protected:
    std::optional<LRESULT> handle(UINT msg, WPARAM, LPARAM) override {
        if (msg == WM_KILLFOCUS && control_) control_->lostFocus();
        return std::nullopt;
    }
    void update(Prop prop) override {
        ControlWindow::update(prop);
        if (prop == Prop::Value) showValue();
    }

private:
    void showValue() {
        if (control_ && control_->kind() != Kind::Button) {
            SendMessageW(hwnd(), BM_SETCHECK, checkStateOf(*control_), 0);
        }
    }
    // A click ticks an unticked box and unticks a ticked or greyed one; an
    // option button is set. Setting the value raises the control's Click.
    void clicked() {
        if (!control_) return;
        switch (control_->kind()) {
        case Kind::CheckBox: control_->setValue(control_->value() == 0 ? 1 : 0); break;
        case Kind::Option: control_->setValue(True); break;
        default: control_->click(); break;
        }
    }
};

}  // namespace

ViewPtr makeButtonView(FormWindow& f, Container& c, Control& control) {
    return std::make_shared<ButtonView>(f, c, control);
}

}  // namespace tavlo::rt::win32
