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
// a box is up takes no input either. Scopes nest (a box asked under a box):
// an inner one leaves disabled what an outer one holds, and a modal window
// that an outer scope holds takes input for its own run. When the innermost
// scope ends, the window that was active as it opened is active again and
// the control that had the keyboard has it again.
class DisabledWindows {
public:
    // `except` is the modal window itself, or the owner of a box that the
    // system makes (it disables and enables that owner itself).
    enum class Except { ModalWindow, BoxOwner };
    DisabledWindows(HWND except, Except what);
    ~DisabledWindows();
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

    // A window made while a scope is open is disabled too, until the
    // outermost scope ends; with none open it is left as it is.
    static void holdIfOpen(HWND window);
    // Ends the scope of a modal window before the window goes: hidden while
    // every other window is disabled, it would leave the system no window
    // to activate and the keyboard nowhere.
    static void releaseFor(HWND modal);

private:
    static BOOL CALLBACK collect(HWND hwnd, LPARAM self);
    void release();
    void restoreKeyboard() const;
    HWND except_;
    Except what_;
    std::vector<HWND> windows_;
    HWND active_, focus_;
};

// True when some of the window lies on a screen: a window off every screen
// (the tray form) is never seen.
bool onScreen(HWND window);

// The program's window in front: its active window, else its highest
// top-level window that shows, enabled; nullptr when none shows.
HWND frontWindow();

// True for a window in the topmost band.
bool topmost(HWND window);

// The owner of a box: the program's window in front, or the highest window
// of the program when that one is topmost and the window in front is not,
// so that the box stands above every window of the program.
HWND boxOwner();

// A message box owned by boxOwner(); the program's other windows, hidden
// ones and ones made meanwhile included, are disabled while it is open.
int ownedMessageBox(const std::wstring& text, const std::wstring& title, UINT flags);

}  // namespace tavlo::rt::win32
