#include "platform/win32/Win32Desktop.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "platform/win32/WideText.h"

namespace tavlo::platform::win32 {

namespace {

HWND toWindow(Handle h) { return reinterpret_cast<HWND>(h); }

// The shell's 88-byte record: the fields up to and including szTip[64].
constexpr DWORD FirstRecordSize = 88;
static_assert(offsetof(NOTIFYICONDATAA, szTip) + 64 == FirstRecordSize);

// The flags the system menu is shown with; TPM_RETURNCMD is added to them.
constexpr UINT SystemMenuFlags = 0x200;

}  // namespace

// The shell may hand the address to an extension that needs COM on this thread.
void Win32Shell::open(Handle owner, const std::string& url) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ShellExecuteW(toWindow(owner), L"open", widen(url).c_str(), L"", L"", SW_SHOWNORMAL);
    if (SUCCEEDED(com)) CoUninitialize();
}

std::array<char, 64> trayTip(const std::string& tip) {
    std::array<char, 64> field{};
    const std::string ansi = toAnsi(tip);
    std::size_t n = 0;
    while (n < ansi.size() && ansi[n] != '\0') {
        const std::size_t len = IsDBCSLeadByte(static_cast<BYTE>(ansi[n])) ? 2 : 1;
        if (n + len > field.size() - 1) break;
        n += len;
    }
    std::memcpy(field.data(), ansi.data(), n);
    return field;
}

bool Win32Tray::notify(Message message, const TrayIconData& data) {
    NOTIFYICONDATAA record{};
    record.cbSize = FirstRecordSize;
    record.hWnd = toWindow(data.hWnd);
    record.uID = data.id;
    record.uFlags = data.flags;
    record.uCallbackMessage = data.callbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.icon);
    const auto tip = trayTip(data.tip);
    std::memcpy(record.szTip, tip.data(), tip.size());
    return Shell_NotifyIconA(static_cast<DWORD>(message), &record) != FALSE;
}

// A window that a box holds (disabled) or that does not show moves without
// being activated: that would take the keyboard from the box or from the
// window in front.
bool Win32Windows::setWindowPos(Handle hWnd, Handle insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    const HWND window = toWindow(hWnd);
    if (!IsWindowEnabled(window) || !IsWindowVisible(window)) flags |= SWP_NOACTIVATE;
    return SetWindowPos(window, toWindow(insertAfter), x, y, cx, cy, flags) != FALSE;
}

Handle Win32Windows::setParent(Handle child, Handle parent) {
    return reinterpret_cast<Handle>(SetParent(toWindow(child), toWindow(parent)));
}

long Win32Windows::getWindowLong(Handle hWnd, int index) { return GetWindowLongA(toWindow(hWnd), index); }

long Win32Windows::setWindowLong(Handle hWnd, int index, long value) {
    return SetWindowLongA(toWindow(hWnd), index, value);
}

bool Win32Windows::setLayeredAttributes(Handle hWnd, std::uint32_t colorKey, int alpha, std::uint32_t flags) {
    return SetLayeredWindowAttributes(toWindow(hWnd), colorKey, static_cast<BYTE>(alpha), flags) != FALSE;
}

bool Win32Windows::releaseCapture() { return ReleaseCapture() != FALSE; }

long Win32Windows::sendMessage(Handle hWnd, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    return static_cast<long>(SendMessageA(toWindow(hWnd), message, wParam, lParam));
}

Point Win32Windows::cursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return Point{p.x, p.y};
}

void Win32Windows::trackSystemMenu(Handle hWnd, Point at) {
    const HWND window = toWindow(hWnd);
    const HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu) return;
    // The menu closes on a click elsewhere only while its owner is in front.
    SetForegroundWindow(window);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, SystemMenuFlags | TPM_RETURNCMD, at.x, at.y, 0, window, nullptr));
    if (command != 0) PostMessageA(window, WM_SYSCOMMAND, command, MAKELPARAM(at.x, at.y));
}

unsigned Win32Windows::registerMessage(const std::string& name) {
    return RegisterWindowMessageA(name.c_str());
}

}  // namespace tavlo::platform::win32
