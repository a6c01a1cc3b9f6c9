// The views of each kind of control, made by makeControlWindow.
#pragma once

#include <memory>

#include "runtime/win32/ControlWindow.h"

namespace tavlo::rt::win32 {

using ViewPtr = std::shared_ptr<ControlWindow>;

ViewPtr makeLabelView(FormWindow& form, Container& container, Control& control);
ViewPtr makeImageView(FormWindow& form, Container& container, Control& control);
ViewPtr makeLineView(FormWindow& form, Container& container, Control& control);
// A picture box; `opaque` false for a custom control that shows its container through.
ViewPtr makePictureBoxView(FormWindow& form, Container& container, Control& control, bool opaque);
ViewPtr makeEditView(FormWindow& form, Container& container, Control& control);
ViewPtr makeButtonView(FormWindow& form, Container& container, Control& control);
ViewPtr makeGridView(FormWindow& form, Container& container, Control& control);
ViewPtr makeDriveListView(FormWindow& form, Container& container, Control& control);
ViewPtr makeFolderListView(FormWindow& form, Container& container, Control& control);

}  // namespace tavlo::rt::win32
