// Window routines every window shares: the topmost switch and the system's
// move loop that drags a borderless window or panel.
#pragma once

#include "runtime/Form.h"

namespace tavlo::rt {

// SetWindowPos(handle, topmost or not topmost, 0, 0, 0, 0, no move | no size).
// With True it returns the call's result (1 or 0); with any other value it
// makes the window not topmost and returns 0.
int SetTopMost(Handle hWnd, int topMost);

// Releases the mouse capture and sends the window WM_NCLBUTTONDOWN with
// HTCAPTION: the system moves it with the mouse and returns when it is let go.
void StartSystemMove(Handle hWnd);

// The drag of a window's bare surface: the move pointer while the system's
// move loop runs, then the arrow.
void DragWithPointer(Form& form);

}  // namespace tavlo::rt
