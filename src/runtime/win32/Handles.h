// One move-only owner for every kind of system handle: the handle type, the
// function that frees it and the value that means "none".
#pragma once

#include <windows.h>

#include "platform/UniqueHandle.h"

#include <utility>

namespace tavlo::rt::win32 {

template <class H, auto Free, H None = H{}>
using Unique = platform::UniqueHandle<platform::FreedBy<H, Free, None>>;

namespace detail {
inline void destroyWindow(HWND h) { DestroyWindow(h); }
inline void deleteObject(HGDIOBJ h) { DeleteObject(h); }
inline void deleteDc(HDC h) { DeleteDC(h); }
inline void destroyMenu(HMENU h) { DestroyMenu(h); }
inline void destroyIcon(HICON h) { DestroyIcon(h); }
}  // namespace detail

using UniqueWindow = Unique<HWND, detail::destroyWindow>;
using UniqueFont = Unique<HFONT, detail::deleteObject>;
using UniqueBrush = Unique<HBRUSH, detail::deleteObject>;
using UniquePen = Unique<HPEN, detail::deleteObject>;
using UniqueBitmap = Unique<HBITMAP, detail::deleteObject>;
using UniqueDc = Unique<HDC, detail::deleteDc>;
using UniqueMenu = Unique<HMENU, detail::destroyMenu>;
using UniqueIcon = Unique<HICON, detail::destroyIcon>;

// Selects a GDI object into a device context for one scope.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~Selection() {
        if (old_) SelectObject(dc_, old_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace tavlo::rt::win32
