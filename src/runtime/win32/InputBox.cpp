#include "runtime/win32/InputBox.h"

#include "runtime/win32/Gdi.h"
#include "runtime/win32/Modal.h"
#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

namespace {
// The box and its parts in twips.
constexpr int kWidth = 6030, kHeight = 2430;
constexpr RECT kPrompt{120, 120, 4575, 1320};
constexpr RECT kOk{4695, 120, 5910, 495};
constexpr RECT kCancel{4695, 570, 5910, 945};
constexpr RECT kEdit{120, 1500, 5910, 1800};
}  // namespace

InputBox::InputBox(const Scale& scale, std::string prompt, std::string title, std::string initial)
    : scale_(scale), prompt_(std::move(prompt)), title_(std::move(title)), initial_(std::move(initial)) {}

std::optional<std::string> InputBox::run() {
    const int w = scale_.px(kWidth), h = scale_.px(kHeight);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 3;
    CreateArgs a;
    a.text = widen(title_);
    a.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    a.parent = boxOwner();
    a.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (topmost(a.parent) ? WS_EX_TOPMOST : 0);
    a.rect = RECT{x, y, x + w, y + h};
    if (!create(a)) return std::nullopt;
    font_ = makeFont(Font{}, scale_);
    buildParts();
    {
        DisabledWindows others(hwnd(), DisabledWindows::Except::ModalWindow);
        ShowWindow(hwnd(), SW_SHOW);
        SetForegroundWindow(hwnd());
        HWND edit = GetDlgItem(hwnd(), kEditId);
        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        modalLoop([this] { return done_; }, hwnd());
    }
    ShowWindow(hwnd(), SW_HIDE);
    return answer_;
}

HWND InputBox::part(const wchar_t* cls, const std::string& text, DWORD style, RECT t, int id) {
    HWND h = CreateWindowExW(id == kEditId ? WS_EX_CLIENTEDGE : 0, cls, widen(text).c_str(),
                             WS_CHILD | WS_VISIBLE | style, scale_.px(t.left), scale_.px(t.top),
                             scale_.px(t.right - t.left), scale_.px(t.bottom - t.top), hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return h;
}

void InputBox::buildParts() {
    part(L"STATIC", prompt_, SS_LEFT | SS_NOPREFIX, kPrompt, -1);
    part(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, kOk, IDOK);
    part(L"BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, kCancel, IDCANCEL);
    part(L"EDIT", initial_, WS_TABSTOP | ES_AUTOHSCROLL, kEdit, kEditId);
}

void InputBox::finish(bool ok) {
    if (done_) return;
    if (ok) answer_ = windowText(GetDlgItem(hwnd(), kEditId));
    done_ = true;
}

std::optional<LRESULT> InputBox::handle(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) finish(LOWORD(wp) == IDOK);
        return 0;
    case WM_CLOSE: finish(false); return 0;
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd(), &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    default: return std::nullopt;
    }
}

}  // namespace tavlo::rt::win32
