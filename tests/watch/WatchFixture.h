// Shared set-up of the tray form tests: a headless program with a real
// settings database, started as usual up to the point where the splash has
// loaded the configuration and shown the main window; the tests then bring
// up the tray form themselves instead of the splash's hand-over.
#pragma once

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "core/Program.h"
#include "watch/Frm1.h"

namespace tavlo::watch {

class WatchTest : public tavlo::testing::CoreTest {
protected:
    WatchTest() {
        core::StartProgram();
        h.clock.advance(1000);
        core::frmSplash().timer("tmrShw").setEnabled(false);
        h.ui.dialogs.clear();
        h.sys.windows.calls.clear();
    }
    core::Globals& g = core::globals();
};

}  // namespace tavlo::watch
