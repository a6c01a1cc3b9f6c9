#include "runtime/Form.h"

#include "runtime/App.h"
#include "runtime/ErrorReport.h"

namespace tavlo::rt {

Form::Form(std::string name) : name_(std::move(name)) {}

Form::~Form() = default;

// Builds the controls from the design, gives the form its view, then raises
// Load. The window takes its design size and, unless the design places it,
// stands centred on the screen; a maximized window covers the screen.
void Form::load() {
    if (loaded_ || loading_) return;
    loading_ = true;
    design_ = formDesign();
    width_ = design_.width;
    height_ = design_.height;
    left_ = design_.left >= 0 ? design_.left : (app().ui().screenWidth() - width_) / 2;
    top_ = design_.top >= 0 ? design_.top : (app().ui().screenHeight() - height_) / 2;
    if (design_.maximized) {
        left_ = top_ = 0;
        width_ = app().ui().screenWidth();
        height_ = app().ui().screenHeight();
    }
    clientWidth_ = width_;
    clientHeight_ = height_;
    caption_ = design_.caption;
    mousePointer_ = 0;
    icon_ = design_.icon.empty() ? Picture{} : app().ui().loadPicture(design_.icon);
    shownOnce_ = false;
    buildControls();
    loaded_ = true;
    loading_ = false;
    app().ui().attach(*this);
    onLoad();
}

// Raises Unload, then drops the view and the controls: the next load starts
// again from the design.
void Form::unload() {
    if (!loaded_) return;
    onUnload();
    visible_ = false;
    modal_ = false;
    app().ui().detach(*this);
    view_.reset();
    byName_.clear();
    controls_.clear();
    loaded_ = false;
}

void Form::show(bool modal) {
    ensureLoaded();
    if (modal) {
        modal_ = true;
        setVisible(true);
        app().ui().runModal(*this);
        modal_ = false;
        return;
    }
    setVisible(true);
}

void Form::hide() {
    if (loaded_) setVisible(false);
}

// Showing a form the first time raises Resize, as a window's first show does.
void Form::setVisible(bool v) {
    ensureLoaded();
    if (v == visible_) return;
    visible_ = v;
    notify(Prop::Visible);
    if (v && !shownOnce_) {
        shownOnce_ = true;
        onResize();
    }
}

Control* Form::find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

bool Form::has(const std::string& name) const { return find(name) != nullptr; }

Control& Form::c(const std::string& name) {
    ensureLoaded();
    if (Control* found = find(name)) return *found;
    throw std::logic_error(name_ + " has no control " + name);
}

Timer& Form::timer(const std::string& name) {
    auto* t = dynamic_cast<Timer*>(&c(name));
    if (!t) throw std::logic_error(name + " is not a timer");
    return *t;
}

Grid& Form::grid(const std::string& name) {
    auto* g = dynamic_cast<Grid*>(&c(name));
    if (!g) throw std::logic_error(name + " is not a grid");
    return *g;
}

Control& Form::add(ControlDesign d) { return adopt(std::make_unique<Control>(*this, std::move(d))); }

Control& Form::adopt(std::unique_ptr<Control> control) {
    if (&control->form() != this) throw std::logic_error(control->name() + " belongs to another form");
    auto& ref = *control;
    byName_[ref.name()] = &ref;
    controls_.push_back(std::move(control));
    return ref;
}

Timer& Form::addTimer(const std::string& name, int intervalMs, bool enabled) {
    ControlDesign d;
    d.kind = Kind::Timer;
    d.name = name;
    d.interval = intervalMs;
    d.enabled = enabled;
    d.visible = false;
    auto timer = std::make_unique<Timer>(*this, std::move(d));
    auto& ref = *timer;
    byName_[name] = &ref;
    controls_.push_back(std::move(timer));
    return ref;
}

Grid& Form::addGrid(ControlDesign d) {
    d.kind = Kind::Grid;
    auto grid = std::make_unique<Grid>(*this, std::move(d));
    auto& ref = *grid;
    byName_[ref.name()] = &ref;
    controls_.push_back(std::move(grid));
    return ref;
}

Twips Form::left() { ensureLoaded(); return left_; }
Twips Form::top() { ensureLoaded(); return top_; }
Twips Form::width() { ensureLoaded(); return width_; }
Twips Form::height() { ensureLoaded(); return height_; }
void Form::setLeft(Twips v) { move(v, top(), width_, height_); }
void Form::setTop(Twips v) { move(left(), v, width_, height_); }
void Form::setWidth(Twips v) { move(left(), top_, v, height_); }
void Form::setHeight(Twips v) { move(left(), top_, width_, v); }

// A change of size raises Resize once the form has been shown; a handler that
// sets the size again runs nested, as the system's resize events do.
void Form::move(Twips left, Twips top, Twips width, Twips height) {
    ensureLoaded();
    if (width < 0 || height < 0) throw Error("Invalid property value");
    const bool sized = width != width_ || height != height_;
    if (!sized && left == left_ && top == top_) return;
    clientWidth_ += width - width_;
    clientHeight_ += height - height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Prop::Geometry);
    if (sized) resized();
}

void Form::sizedByUser(Twips width, Twips height) {
    if (!loaded_ || (width == width_ && height == height_)) return;
    width_ = width;
    height_ = height;
    resized();
}

void Form::movedByUser(Twips left, Twips top) {
    if (!loaded_) return;
    left_ = left;
    top_ = top;
}

void Form::resized() {
    if (shownOnce_) onResize();
}

Twips Form::scaleWidth() { ensureLoaded(); return clientWidth_; }
Twips Form::scaleHeight() { ensureLoaded(); return clientHeight_; }

const std::string& Form::caption() { ensureLoaded(); return caption_; }

void Form::setCaption(const std::string& v) {
    ensureLoaded();
    caption_ = v;
    notify(Prop::Text);
}

int Form::mousePointer() { ensureLoaded(); return mousePointer_; }

void Form::setMousePointer(int p) {
    ensureLoaded();
    mousePointer_ = p;
    notify(Prop::MousePointer);
}

Color Form::backColor() { ensureLoaded(); return design_.backColor; }

const Picture& Form::icon() { ensureLoaded(); return icon_; }

void Form::setIcon(const Picture& p) {
    ensureLoaded();
    icon_ = p;
    notify(Prop::Picture);
}

bool Form::maximized() { ensureLoaded(); return design_.maximized; }

Handle Form::hWnd() {
    ensureLoaded();
    return view_ ? view_->hWnd() : 0;
}

void Form::mouseDown(int button, int shift, Twips x, Twips y) { if (onMouseDown) onMouseDown(button, shift, x, y); }
void Form::mouseMove(int button, int shift, Twips x, Twips y) { if (onMouseMove) onMouseMove(button, shift, x, y); }
void Form::mouseUp(int button, int shift, Twips x, Twips y) { if (onMouseUp) onMouseUp(button, shift, x, y); }
void Form::click() { if (onClick) onClick(); }

int Form::keyPress(int keyAscii) {
    if (onKeyPress) onKeyPress(keyAscii);
    return keyAscii;
}

bool Form::message(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
    return onMessage ? onMessage(msg, wParam, lParam) : false;
}

void Form::setView(std::unique_ptr<FormView> view) { view_ = std::move(view); }

void Form::notify(Prop prop) {
    if (view_) view_->changed(*this, prop);
}

}  // namespace tavlo::rt
