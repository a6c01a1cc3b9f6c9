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

TEST_F(Win32Test, PathLabelDrawsALongPathFromItsStartOnItsLineAndTextWithBlanksWraps) {
    core::frmSplash().ConfigurationLoaded = True;  // its unload would ask, with a box nobody answers
    auto& label = core::frm0().c("lblScaning");
    core::frm0().show();
    stopAllTimers();
    auto* view = dynamic_cast<ControlWindow*>(Window::from(hwnd(label.hWnd())));
    ASSERT_NE(view, nullptr);
    RECT one;
    GetClientRect(hwnd(label.hWnd()), &one);
    const int w = one.right, line = one.bottom;
    // Drawn on white with three lines' room: what the one-line label cuts off shows below.
    auto inked = [&](const std::string& text, int top, int bottom, int from) {
        label.setCaption(text);
        Canvas canvas(w, 3 * line);
        fillRect(canvas.dc(), RECT{0, 0, w, 3 * line}, RGB(255, 255, 255));
        view->paintContent(canvas.dc(), RECT{0, 0, w, 3 * line});
        const std::vector<DWORD> bits = canvas.pixels();
        for (int y = top; y < bottom; ++y)
            for (int x = from; x < w; ++x)
                if ((bits[y * w + x] & 0xFFFFFF) != 0xFFFFFF) return true;
        return false;
    };
    std::string path = "G:", words;
    for (int i = 0; i < 27; ++i) path += "\\deep-fold";
    path += "\\program-x.exe";  // 286 characters
    for (int i = 0; i < 100; ++i) words += "ab ";
    EXPECT_TRUE(inked(path, 0, line, w - w / 10));  // the first line reaches the edge
    EXPECT_FALSE(inked(path, line, 3 * line, 0));   // nothing below it
    EXPECT_TRUE(inked(words, line, 3 * line, 0));
}

}  // namespace
}  // namespace tavlo::rt::win32::test
