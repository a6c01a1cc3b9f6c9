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

// Disables the thread's visible, enabled top-level windows except one, and
// enables them again when the scope ends.
class DisabledWindows {
public:
    explicit DisabledWindows(HWND except);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

private:
    static BOOL CALLBACK collect(HWND hwnd, LPARAM self);
    HWND except_;
    std::vector<HWND> windows_;
};

// The program's window in front: its active window, else its highest
// visible top-level window; nullptr when none shows.
HWND frontWindow();

// A message box owned by the program's window in front, so that it stands
// above that window, topmost or not; the program's other windows are
// disabled while it is open.
int ownedMessageBox(const std::wstring& text, const std::wstring& title, UINT flags);

}  // namespace tavlo::rt::win32
