// Shared set-up of the core tests: a headless program, and the splash that
// the main window's load touches (for its icon) kept still, so that only the
// window under test runs its timers.
#pragma once

#include "core/FrmSplash.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::core::testing {

inline void stopSplashTimers() {
    for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) frmSplash().timer(t).setEnabled(false);
}

}  // namespace tavlo::core::testing
