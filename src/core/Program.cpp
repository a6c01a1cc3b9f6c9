#include "core/Program.h"

#include "core/FrmSplash.h"

namespace tavlo::core {

// The splash is the first window; its timers drive the rest of the start.
void StartProgram() { frmSplash().show(); }

}  // namespace tavlo::core
