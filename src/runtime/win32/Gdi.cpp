#include "runtime/win32/Gdi.h"

#include <algorithm>
#include <cmath>

#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

UniqueFont makeFont(const Font& f, const Scale& scale) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(f.size * scale.dpi / 72.0));
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = f.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring name = widen(f.name);
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

UniqueBrush makeBrush(Color color) { return UniqueBrush(CreateSolidBrush(toColorRef(color))); }

void fillRect(HDC dc, const RECT& r, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

bool isIcon(Handle picture) {
    return picture && GetObjectType(reinterpret_cast<HGDIOBJ>(picture)) != OBJ_BITMAP;
}

SIZE pictureSize(Handle picture) {
    if (!picture) return {0, 0};
    if (!isIcon(picture)) {
        BITMAP bm{};
        GetObjectW(reinterpret_cast<HBITMAP>(picture), sizeof bm, &bm);
        return {bm.bmWidth, std::abs(bm.bmHeight)};
    }
    ICONINFO info{};
    if (!GetIconInfo(reinterpret_cast<HICON>(picture), &info)) return {0, 0};
    UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    return {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
}

static void blit(HDC dc, Handle picture, const RECT& to, SIZE from) {
    if (isIcon(picture)) {
        DrawIconEx(dc, to.left, to.top, reinterpret_cast<HICON>(picture), to.right - to.left,
                   to.bottom - to.top, 0, nullptr, DI_NORMAL);
        return;
    }
    UniqueDc mem(CreateCompatibleDC(dc));
    Selection sel(mem.get(), reinterpret_cast<HBITMAP>(picture));
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, mem.get(), 0, 0, from.cx, from.cy,
               SRCCOPY);
}

void drawPicture(HDC dc, Handle picture, const RECT& r) {
    SIZE s = pictureSize(picture);
    s.cx = std::min<LONG>(s.cx, r.right - r.left);
    s.cy = std::min<LONG>(s.cy, r.bottom - r.top);
    if (s.cx <= 0 || s.cy <= 0) return;
    blit(dc, picture, RECT{r.left, r.top, r.left + s.cx, r.top + s.cy}, s);
}

void stretchPicture(HDC dc, Handle picture, const RECT& r) {
    const SIZE s = pictureSize(picture);
    if (s.cx <= 0 || s.cy <= 0 || r.right <= r.left || r.bottom <= r.top) return;
    blit(dc, picture, r, s);
}

BufferedPaint::BufferedPaint(HWND hwnd) : hwnd_(hwnd) {
    BeginPaint(hwnd, &ps_);
    GetClientRect(hwnd, &client_);
    if (!ps_.hdc || nothing() || client_.right <= 0 || client_.bottom <= 0) return;
    mem_.reset(CreateCompatibleDC(ps_.hdc));
    bitmap_.reset(CreateCompatibleBitmap(ps_.hdc, client_.right, client_.bottom));
    if (!mem_ || !bitmap_) {
        mem_.reset();
        return;
    }
    old_ = SelectObject(mem_.get(), bitmap_.get());
}

BufferedPaint::~BufferedPaint() {
    if (mem_) {
        const RECT& u = ps_.rcPaint;
        BitBlt(ps_.hdc, u.left, u.top, u.right - u.left, u.bottom - u.top, mem_.get(), u.left, u.top, SRCCOPY);
        SelectObject(mem_.get(), old_);
    }
    EndPaint(hwnd_, &ps_);
}

}  // namespace tavlo::rt::win32
