// Stands in for the ignore-list refresh of the results grid until the
// results actions define it.
#include "core/Frm0.h"

namespace tavlo::core {

void Frm0::RefreshResultsAgainstIgnoreList() {}

}  // namespace tavlo::core
