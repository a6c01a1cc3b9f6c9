// One move-only owner for every kind of system handle: the handle type, the
// function that frees it and the value that means "none".
#pragma once

#include <windows.h>

#include <utility>

namespace tavlo::rt::win32 {

template <class H, auto Free, H None = H{}>
class Unique {
public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {}
    ~Unique() { reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(o.release()) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != None; }
    H release() { return std::exchange(h_, None); }
    void reset(H h = None) {
        H old = std::exchange(h_, h);
        if (old != None) Free(old);
    }

private:
    H h_ = None;
};

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
