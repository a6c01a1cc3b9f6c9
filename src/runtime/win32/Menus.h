// Pop-up menus: the items of a menu are the menu controls of the menu's form
// whose container is the menu's name; an item with items of its own opens a
// submenu; a caption "-" is a separator.
#pragma once

#include "runtime/Form.h"

namespace tavlo::rt::win32 {

// Shows the menu at the mouse, owned by `form`'s window, and once it closes
// clicks the chosen item.
void showPopupMenu(Form& form, Control& menu);

}  // namespace tavlo::rt::win32
