// Shared set-up of the core window tests: a headless program with a real,
// empty settings database, and the splash (which the main window's load
// touches for its icon) kept still when only the main window is under test.
#pragma once

#include "core/FrmSplash.h"
#include "core/StoreFixture.h"

namespace tavlo::testing {

inline void stopSplashTimers() {
    for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) core::frmSplash().timer(t).setEnabled(false);
}

class CoreTest : public StoreTest {
protected:
    CoreTest() { makeConf(); }
};

}  // namespace tavlo::testing
