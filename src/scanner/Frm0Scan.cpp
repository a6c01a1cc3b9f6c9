// The main window's Scan page and scan driver.
#include "core/Frm0.h"

namespace tavlo::core {

void Frm0::buildScanPage() {}

}  // namespace tavlo::core
