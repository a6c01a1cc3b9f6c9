// The message loop's pieces: the yield, a nested loop for modal windows, and
// the disabling of the program's other windows while one is modal.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tavlo::rt::win32 {

// Dispatches the messages waiting now (timers and paints included).
void pumpPending();

// Dispatches messages until done() is true. A WM_QUIT ends it and is posted
// again for the outer loop. Keys for a dialog (Tab, Enter, Escape) go to it.
void modalLoop(const std::function<bool()>& done, HWND dialog = nullptr);

// Disables the thread's enabled top-level windows except one, hidden ones
// included, and enables them again when the scope ends: a window shown while
// a box is up takes no input either. Scopes nest (a box asked under a box).
class DisabledWindows {
public:
    explicit DisabledWindows(HWND except);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

    // A window made while a scope is open is disabled too, until the
    // outermost scope ends; with none open it is left as it is.
    static void holdIfOpen(HWND window);

private:
    static BOOL CALLBACK collect(HWND hwnd, LPARAM self);
    HWND except_;
    std::vector<HWND> windows_;
    DisabledWindows* outer_;
};

// The program's window in front: its active window, else its highest
// visible top-level window; nullptr when none shows.
HWND frontWindow();

// A message box owned by the program's window in front, so that it stands
// above that window, topmost or not; the program's other windows, hidden
// ones and ones made meanwhile included, are disabled while it is open.
int ownedMessageBox(const std::wstring& text, const std::wstring& title, UINT flags);

}  // namespace tavlo::rt::win32
