#include "runtime/win32/Views.h"

namespace tavlo::rt::win32 {

// Timers and menu items have no window: the clock runs the one, a pop-up
// menu shows the other.
std::shared_ptr<ControlWindow> makeControlWindow(FormWindow& form, Container& container, Control& control) {
    switch (control.kind()) {
    case Kind::Label: return makeLabelView(form, container, control);
    case Kind::Image: return makeImageView(form, container, control);
    case Kind::Line: return makeLineView(form, container, control);
    case Kind::Picture: return makePictureBoxView(form, container, control, true);
    case Kind::Custom: return makePictureBoxView(form, container, control, false);
    case Kind::TextBox: return makeEditView(form, container, control);
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Option: return makeButtonView(form, container, control);
    case Kind::Grid: return makeGridView(form, container, control);
    case Kind::DriveList: return makeDriveListView(form, container, control);
    case Kind::FolderList: return makeFolderListView(form, container, control);
    case Kind::Timer:
    case Kind::Menu: return nullptr;
    }
    return nullptr;
}

}  // namespace tavlo::rt::win32
