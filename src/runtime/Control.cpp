#include "runtime/Control.h"

#include "runtime/App.h"
#include "runtime/ErrorReport.h"
#include "runtime/Form.h"

namespace tavlo::rt {

Control::Control(Form& form, ControlDesign design)
    : form_(form),
      design_(std::move(design)),
      left_(design_.left),
      top_(design_.top),
      width_(design_.width),
      height_(design_.height),
      visible_(design_.visible),
      enabled_(design_.enabled),
      text_(design_.text),
      foreColor_(design_.foreColor),
      backColor_(design_.backColor),
      font_(design_.font),
      toolTip_(design_.toolTip),
      mousePointer_(design_.mousePointer),
      value_(design_.value) {
    // A designed picture is loaded with the control: each control holds its
    // own picture handle until code copies another control's picture to it.
    if (!design_.picture.empty()) picture_ = app().ui().loadPicture(design_.picture);
    fitText();
}

void Control::notify(Prop prop) {
    if (view_) view_->changed(*this, prop);
}

void Control::setWidth(Twips v) { move(left_, top_, v, height_); }
void Control::setHeight(Twips v) { move(left_, top_, width_, v); }

void Control::move(Twips left, Twips top, Twips width, Twips height) {
    if (width < 0 || height < 0) throw Error("Invalid property value");
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    const bool sized = width != width_ || height != height_;
    width_ = width;
    height_ = height;
    notify(Prop::Geometry);
    if (sized && onResize) onResize();
}

void Control::fitText() {
    if (!design_.autoSize || !hasApp()) return;
    const Extent size = app().ui().textSize(font_, text_);
    move(left_, top_, size.width, size.height);
}

void Control::setLine(Twips x1, Twips y1, Twips x2, Twips y2) {
    left_ = x1;
    top_ = y1;
    x2_ = x2;
    y2_ = y2;
    notify(Prop::Line);
}

void Control::setVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    notify(Prop::Visible);
}

void Control::setEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    notify(Prop::Enabled);
}

static bool raisesChange(Kind k) {
    return k == Kind::TextBox || k == Kind::DriveList || k == Kind::FolderList;
}

void Control::setText(const std::string& v) {
    if (v == text_) return;
    text_ = v;
    fitText();
    notify(Prop::Text);
    if (raisesChange(kind()) && onChange) onChange();
}

void Control::setForeColor(Color c) {
    foreColor_ = c;
    notify(Prop::ForeColor);
}

void Control::setBackColor(Color c) {
    backColor_ = c;
    notify(Prop::BackColor);
}

void Control::setFont(const Font& f) {
    font_ = f;
    fitText();
    notify(Prop::Font);
}

void Control::setFontBold(bool b) {
    font_.bold = b;
    fitText();
    notify(Prop::Font);
}

void Control::setFontUnderline(bool u) {
    font_.underline = u;
    fitText();
    notify(Prop::Font);
}

void Control::setToolTip(const std::string& t) {
    toolTip_ = t;
    notify(Prop::ToolTip);
}

void Control::setMousePointer(int p) {
    mousePointer_ = p;
    notify(Prop::MousePointer);
}

void Control::setPicture(const Picture& p) {
    picture_ = p;
    notify(Prop::Picture);
}

// A check box raises Click whenever its value changes; an option button and a
// button when set to True. An option button clears its siblings in the same
// container, as a group of options does.
void Control::setValue(int v) {
    const Kind k = kind();
    if (k == Kind::Button) {
        if (v) click();
        return;
    }
    const bool changed = v != value_;
    value_ = v;
    if (changed) notify(Prop::Value);
    if (k == Kind::Option && v) {
        for (auto& other : form_.controls()) {
            if (other.get() != this && other->kind() == Kind::Option &&
                other->containerName() == containerName() && other->value_) {
                other->value_ = False;
                other->notify(Prop::Value);
            }
        }
        if (changed) click();
    } else if (k == Kind::CheckBox && changed) {
        click();
    }
}

Handle Control::hWnd() const {
    auto* v = form_.view();
    return v ? v->controlHWnd(*this) : 0;
}

void Control::setFocus() {
    if (auto* v = form_.view()) v->setFocus(*this);
}

void Control::click() {
    if (onClick) onClick();
}

void Control::dblClick() {
    if (onDblClick) onDblClick();
}

void Control::mouseDown(int button, int shift, Twips x, Twips y) {
    if (onMouseDown) onMouseDown(button, shift, x, y);
}

void Control::mouseMove(int button, int shift, Twips x, Twips y) {
    if (onMouseMove) onMouseMove(button, shift, x, y);
}

void Control::mouseUp(int button, int shift, Twips x, Twips y) {
    if (onMouseUp) onMouseUp(button, shift, x, y);
}

int Control::keyPress(int keyAscii) {
    if (onKeyPress) onKeyPress(keyAscii);
    return keyAscii;
}

void Control::lostFocus() {
    if (onLostFocus) onLostFocus();
}

}  // namespace tavlo::rt
