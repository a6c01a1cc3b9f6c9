#include "runtime/WindowCalls.h"

#include "runtime/App.h"

namespace tavlo::rt {

namespace {
constexpr Handle kTopMost = static_cast<Handle>(-1);
constexpr Handle kNotTopMost = static_cast<Handle>(-2);
constexpr unsigned kNoMoveNoSize = 3;
constexpr unsigned kWmNcLButtonDown = 161;
constexpr unsigned kHtCaption = 2;
}  // namespace

int SetTopMost(Handle hWnd, int topMost) {
    auto& windows = app().sys().windows;
    if (topMost == True) return windows.setWindowPos(hWnd, kTopMost, 0, 0, 0, 0, kNoMoveNoSize) ? 1 : 0;
    windows.setWindowPos(hWnd, kNotTopMost, 0, 0, 0, 0, kNoMoveNoSize);
    return 0;
}

void StartSystemMove(Handle hWnd) {
    auto& windows = app().sys().windows;
    windows.releaseCapture();
    windows.sendMessage(hWnd, kWmNcLButtonDown, kHtCaption, 0);
}

void DragWithPointer(Form& form) {
    form.setMousePointer(PointerMove);
    StartSystemMove(form.hWnd());
    form.setMousePointer(PointerArrow);
}

}  // namespace tavlo::rt
