// The main window's results grid actions.
#include "core/Frm0.h"

namespace tavlo::core {

void Frm0::buildResultsActions() {}

}  // namespace tavlo::core
