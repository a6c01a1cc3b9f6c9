// The main window's About page and tell-a-friend panel.
#include "core/Frm0.h"

namespace tavlo::core {

void Frm0::buildAboutPage() {}

}  // namespace tavlo::core
