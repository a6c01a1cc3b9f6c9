// Turns the mouse messages of a window into the model's mouse events:
// MouseDown, MouseMove and MouseUp in twips with the button and shift codes,
// then Click (and DblClick). The window holding the press gets the moves and
// the release.
#pragma once

#include <windows.h>

#include <optional>

#include "runtime/Control.h"
#include "runtime/win32/Scale.h"

namespace tavlo::rt::win32 {

class MouseTarget {
public:
    virtual ~MouseTarget() = default;
    // Each returns false once the target is gone (its form unloaded).
    virtual bool mouseDown(int button, int shift, Twips x, Twips y) = 0;
    virtual bool mouseMove(int button, int shift, Twips x, Twips y) = 0;
    virtual bool mouseUp(int button, int shift, Twips x, Twips y) = 0;
    virtual bool click() = 0;
    virtual bool dblClick() = 0;
};

class MouseTracker {
public:
    std::optional<LRESULT> handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const Scale& scale,
                                  MouseTarget& target);

private:
    bool press(HWND hwnd, int button, bool dbl, int shift, Twips x, Twips y, MouseTarget& target);
    bool release(HWND hwnd, int button, int shift, LPARAM lp, Twips x, Twips y, MouseTarget& target);
    int held_ = 0;
    bool afterDblClick_ = false;
};

}  // namespace tavlo::rt::win32
