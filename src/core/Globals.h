// The program-wide flags and counters that the windows share. Every flag is
// an integer boolean (True = -1, False = 0); all start at 0.
#pragma once

#include <array>

#include "runtime/App.h"

namespace tavlo::core {

using rt::False;
using rt::True;

// Drive letters C: to Z:, index 0 for C:.
inline constexpr int kFirstDriveLetter = 'C';
inline constexpr int kDriveLetters = 24;

struct Globals : rt::Module {
    // The alert style: True for the full-desktop alert, False for the small one.
    short NotifyFullDesktop = False;
    // The drive poll works only while True.
    short UsbWatchEnabled = False;
    // True while the main window sits inside the full-desktop alert.
    short FullDesktopAlertShown = False;
    // True while the poll has seen a removable drive at the letter.
    std::array<short, kDriveLetters> DriveAttached{};
    // True once the letter's root has been scanned since the drive came.
    std::array<short, kDriveLetters> DriveScanned{};
    short AbortScanRequested = False;
    short ScanInProgress = False;
    // Risky files found since the program started; never reset. Wide enough
    // that a stick with more than 32,767 risky files is still walked to its end.
    int RiskyObjectCount = 0;

    static int letterIndex(char letter) { return (letter & ~0x20) - kFirstDriveLetter; }
    bool pending(int index) const { return DriveAttached[index] && !DriveScanned[index]; }
    // True while some letter waits for its pass.
    bool anyPending() const {
        for (int i = 0; i < kDriveLetters; ++i) {
            if (pending(i)) return true;
        }
        return false;
    }
};

inline Globals& globals() { return rt::app().module<Globals>(); }

}  // namespace tavlo::core
