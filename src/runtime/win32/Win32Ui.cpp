#include "runtime/win32/Win32Ui.h"

#include "runtime/ErrorReport.h"
#include "runtime/win32/FormWindow.h"
#include "runtime/win32/Gdi.h"
#include "runtime/win32/InputBox.h"
#include "runtime/win32/Menus.h"
#include "runtime/win32/Modal.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

namespace {

constexpr UINT kDestroyBuried = WM_APP + 1;
// While a buried window is kept, the host looks at it again on this timer.
constexpr UINT_PTR kRetryBuried = 1;
constexpr UINT kRetryBuriedMs = 100;

struct OwnedSearch {
    HWND owner;
    bool found = false;
};

BOOL CALLBACK findOwned(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<OwnedSearch*>(p);
    s->found = GetWindow(h, GW_OWNER) == s->owner && IsWindowVisible(h) &&
               !(GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);  // a tooltip is no box
    return !s->found;
}

bool ownsOpenWindow(HWND owner) {
    OwnedSearch search{owner};
    EnumThreadWindows(GetCurrentThreadId(), findOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

// A hidden top-level window: the owner of forms kept off the taskbar, and the
// place where the windows of unloaded forms are destroyed, from the loop.
class Win32Ui::Host : public Window {
public:
    explicit Host(Win32Ui& ui) : ui_(ui) {
        CreateArgs a;
        a.text = L"Tavlo";
        a.style = WS_POPUP;
        create(a);
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloHost"; }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM) override {
        if (msg != kDestroyBuried && !(msg == WM_TIMER && wp == kRetryBuried)) return std::nullopt;
        ui_.destroyBuried();
        return 0;
    }

private:
    Win32Ui& ui_;
};

namespace {

// The view the model holds: when the form unloads and drops it, the window
// is buried rather than destroyed inside the handler that unloaded it.
class FormViewHandle : public FormView {
public:
    FormViewHandle(std::shared_ptr<FormWindow> window, Win32Ui& ui) : window_(std::move(window)), ui_(ui) {}
    FormViewHandle(const FormViewHandle&) = delete;
    FormViewHandle& operator=(const FormViewHandle&) = delete;
    ~FormViewHandle() override {
        window_->retire();
        ui_.bury(std::move(window_));
    }
    void changed(Form&, Prop prop) override { window_->changed(prop); }
    Handle hWnd() const override { return reinterpret_cast<Handle>(window_->hwnd()); }
    Handle controlHWnd(const Control& control) const override { return window_->controlHWnd(control); }
    void setFocus(Control& control) override { window_->setFocus(control); }

private:
    std::shared_ptr<FormWindow> window_;
    Win32Ui& ui_;
};

}  // namespace

Win32Ui::Win32Ui() : host_(std::make_unique<Host>(*this)) {
    ctx_.scale = Scale::screen();
    ctx_.owner = host_->hwnd();
}

Win32Ui::~Win32Ui() { buried_.clear(); }

void Win32Ui::attach(Form& form) {
    auto window = std::make_shared<FormWindow>(ctx_, form);
    form.setView(std::make_unique<FormViewHandle>(window, *this));
    if (!window->build()) throw Error("Out of memory: the window of " + form.name() + " could not be created");
}

void Win32Ui::detach(Form&) {}

void Win32Ui::bury(std::shared_ptr<FormWindow> form) {
    buried_.push_back(std::move(form));
    PostMessageW(host_->hwnd(), kDestroyBuried, 0, 0);
}

// A window that owns an open box stays until the box is answered: its end
// would take the box with it. The box need not be the program's own (the
// shell's, for a link that no program opens), and then nothing here learns
// of its end: a kept window is looked at again on a timer until it goes.
void Win32Ui::destroyBuried() {
    std::vector<std::shared_ptr<FormWindow>> dead, kept;
    for (auto& window : buried_) (ownsOpenWindow(window->hwnd()) ? kept : dead).push_back(std::move(window));
    buried_ = std::move(kept);
    if (buried_.empty()) {
        KillTimer(host_->hwnd(), kRetryBuried);
    } else {
        SetTimer(host_->hwnd(), kRetryBuried, kRetryBuriedMs, nullptr);
    }
    dead.clear();
}

int Win32Ui::msgBox(const std::string& prompt, int style, const std::string& title) {
    const int answer = ownedMessageBox(widen(prompt), widen(title), static_cast<UINT>(style));
    if (!buried_.empty()) PostMessageW(host_->hwnd(), kDestroyBuried, 0, 0);
    return answer;
}

std::optional<std::string> Win32Ui::inputBox(const std::string& prompt, const std::string& title,
                                             const std::string& initial) {
    auto box = std::make_shared<InputBox>(ctx_.scale, prompt, title, initial);
    auto answer = box->run();
    if (!buried_.empty()) PostMessageW(host_->hwnd(), kDestroyBuried, 0, 0);
    return answer;
}

void Win32Ui::doEvents() { pumpPending(); }

// The form shows before its run without taking the keyboard, or showed
// already (the splash at start-up): once the other windows are disabled it
// comes to the top and takes the keyboard. It hands the keyboard back as it
// goes (FormWindow).
void Win32Ui::runModal(Form& form) {
    HWND window = reinterpret_cast<HWND>(form.hWnd());
    DisabledWindows others(window, DisabledWindows::Except::ModalWindow);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    modalLoop([&form] { return !form.loaded() || !form.visible(); });
}

void Win32Ui::popupMenu(Form& form, Control& menu) { showPopupMenu(form, menu); }

Picture Win32Ui::loadPicture(const std::string& resource) { return ctx_.pictures.load(resource); }

Twips Win32Ui::screenWidth() { return ctx_.scale.twips(GetSystemMetrics(SM_CXSCREEN)); }
Twips Win32Ui::screenHeight() { return ctx_.scale.twips(GetSystemMetrics(SM_CYSCREEN)); }

void Win32Ui::setScreenPointer(int pointer) { ctx_.cursors.setScreenPointer(pointer); }

// The text's extent in the font on the screen, as an auto-sized label takes
// it: the width of its longest line, the height of its lines.
Extent Win32Ui::textSize(const Font& font, const std::string& text) {
    HDC dc = GetDC(nullptr);
    if (!dc) return Ui::textSize(font, text);
    UniqueFont f = makeFont(font, ctx_.scale);
    HGDIOBJ old = SelectObject(dc, f.get());
    RECT r{0, 0, 0, 0};
    const std::wstring wide = widen(text.empty() ? std::string(" ") : text);
    DrawTextW(dc, wide.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return Extent{text.empty() ? 0 : ctx_.scale.twips(r.right), ctx_.scale.twips(r.bottom)};
}

}  // namespace tavlo::rt::win32
