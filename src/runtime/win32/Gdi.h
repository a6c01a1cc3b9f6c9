// Drawing helpers: fonts and brushes of the model's values, pictures drawn
// at their size or stretched, and a double-buffered paint.
#pragma once

#include <windows.h>

#include "runtime/Control.h"
#include "runtime/win32/Handles.h"
#include "runtime/win32/Scale.h"

namespace tavlo::rt::win32 {

UniqueFont makeFont(const Font& font, const Scale& scale);
UniqueBrush makeBrush(Color color);
void fillRect(HDC dc, const RECT& r, COLORREF color);

// A picture's handle holds a bitmap or an icon.
SIZE pictureSize(Handle picture);
// At its own size from the top-left corner of the rectangle, clipped to it.
void drawPicture(HDC dc, Handle picture, const RECT& r);
void stretchPicture(HDC dc, Handle picture, const RECT& r);
bool isIcon(Handle picture);

// Paints a window's update area into a memory bitmap, copied to the window
// when the scope ends, so that layered drawing does not flicker.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND hwnd);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return mem_.get() ? mem_.get() : ps_.hdc; }
    const RECT& client() const { return client_; }
    // Nothing of the client area to paint (only the frame was invalid).
    bool nothing() const { return IsRectEmpty(&ps_.rcPaint) != FALSE; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    RECT client_{};
    UniqueDc mem_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace tavlo::rt::win32
