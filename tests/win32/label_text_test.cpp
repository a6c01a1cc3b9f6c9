// The path line under the results grid as its label draws it under Wine: a
// path, which has no blank, shows from its start on the label's one line, cut
// at its edge; a text with blanks still wraps at them.
#include "WineHost.h"

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "runtime/win32/ControlWindow.h"
#include "runtime/win32/Gdi.h"

namespace tavlo::rt::win32::test {
namespace {

// The rows of pixels from `top` to `bottom` of a white bitmap that the label
// drew on hold a darker pixel at or right of column `from`.
bool inked(const std::vector<DWORD>& pixels, int width, int top, int bottom, int from) {
    for (int y = top; y < bottom; ++y)
        for (int x = from; x < width; ++x)
            if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
}

TEST_F(Win32Test, PathLabelDrawsALongPathFromItsStartOnItsLineAndTextWithBlanksWraps) {
    core::frmSplash().ConfigurationLoaded = True;  // its unload would ask, with a box nobody answers
    auto& main = core::frm0();
    main.show();
    stopAllTimers();
    main.OpenScanPage();
    pump();
    auto& label = main.c("lblScaning");
    auto* view = dynamic_cast<ControlWindow*>(Window::from(hwnd(label.hWnd())));
    ASSERT_NE(view, nullptr);
    RECT one;
    GetClientRect(hwnd(label.hWnd()), &one);
    const int w = one.right, line = one.bottom;

    std::string path = "G:";
    for (int i = 0; i < 27; ++i) path += "\\deep-fold";
    path += "\\program-x.exe";
    ASSERT_EQ(path.size(), 286u);
    std::string words;
    for (int i = 0; i < 100; ++i) words += "ab ";
    const struct {
        std::string text;
        bool lineEndInked, secondLineInked;
    } rows[] = {{path, true, false}, {words, true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        label.setCaption(row.text);
        // Three lines' room: what a one-line label would cut off shows below.
        const RECT room{0, 0, w, 3 * line};
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), w, -3 * line, 1, 32, BI_RGB}};
        void* bits = nullptr;
        UniqueDc dc(CreateCompatibleDC(nullptr));
        UniqueBitmap bitmap(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
        fillRect(dc.get(), room, RGB(255, 255, 255));
        view->paintContent(dc.get(), room);
        GdiFlush();
        const std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + w * 3 * line);
        SelectObject(dc.get(), old);
        EXPECT_EQ(inked(pixels, w, 0, line, w - w / 10), row.lineEndInked);
        EXPECT_EQ(inked(pixels, w, line, 3 * line, 0), row.secondLineInked);
    }
}

}  // namespace
}  // namespace tavlo::rt::win32::test
