// Tab and Shift+Tab in a form: the keyboard moves to the next (previous)
// control that takes it, in the order the form's design lists its controls,
// as in the system's dialog boxes.
#pragma once

#include <windows.h>

namespace tavlo::rt::win32 {

// For the message loops, before TranslateMessage: true when the message was
// a Tab key pressed in a form with a tab stop, and the keyboard moved; the
// key then makes no character, so no control's key handler sees it. In a
// form without one the key goes on as a character to the form's key handler.
bool takeTabKey(const MSG& m);

}  // namespace tavlo::rt::win32
