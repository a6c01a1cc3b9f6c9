// The window model: a form (one top-level window) with its controls reached by
// name. A form has one global instance, created on first use; loading builds
// its controls from its design, unloading destroys them. Touching a control or
// a property of an unloaded form loads it. Members of a form subclass are its
// form-level state and survive an unload.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Control.h"
#include "runtime/Grid.h"
#include "runtime/Timer.h"

namespace tavlo::rt {

class Form;

// Gets the form's own property changes and builds the views of its controls.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void changed(Form& form, Prop prop) = 0;
    virtual Handle hWnd() const = 0;
    virtual Handle controlHWnd(const Control& control) const = 0;
    virtual void setFocus(Control& control) = 0;
};

enum class BorderStyle { None = 0, Fixed = 1, Sizable = 2, FixedDialog = 3 };

struct FormDesign {
    std::string caption;
    Twips width = 4800, height = 3600;  // outer size, frame included
    Twips left = -1, top = -1;          // -1: centred on the screen
    bool placesClientArea = false;      // left and top place the client area, not the frame
    BorderStyle border = BorderStyle::Sizable;
    bool titleBar = true;
    bool controlBox = true;
    bool showInTaskbar = true;
    bool maximized = false;  // covers the screen from its load on
    Color backColor = 0xC0C0C0;
    std::string picture;  // background artwork
    std::string icon;     // window icon resource
};

class Form {
public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    bool loaded() const { return loaded_; }

    // Load and Unload raise the form's Load and Unload handlers; a second Load
    // of a loaded form does nothing, nor does an Unload of an unloaded one.
    void load();
    void unload();
    // Show loads when needed and makes the form visible; a modal show returns
    // when the form is hidden or unloaded.
    void show(bool modal = false);
    void hide();
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool modal() const { return modal_; }

    // Controls by name; loads the form first. Unknown names are a program fault.
    Control& c(const std::string& name);
    Timer& timer(const std::string& name);
    Grid& grid(const std::string& name);
    bool has(const std::string& name) const;
    // Adds a control that a composite control built for this form (a picture
    // button and its parts) while the form builds its controls.
    Control& adopt(std::unique_ptr<Control> control);
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Window properties in twips; each access loads the form.
    Twips left();
    Twips top();
    Twips width();
    Twips height();
    void setLeft(Twips v);
    void setTop(Twips v);
    void setWidth(Twips v);
    void setHeight(Twips v);
    void move(Twips left, Twips top, Twips width, Twips height);
    const std::string& caption();
    void setCaption(const std::string& v);
    int mousePointer();
    void setMousePointer(int p);
    Color backColor();
    const Picture& icon();
    void setIcon(const Picture& p);
    bool maximized();
    const FormDesign& design() const { return design_; }
    bool bordered() const { return design_.border != BorderStyle::None; }
    Handle hWnd();
    // The client area, as the view reports it (the design size without a view).
    Twips scaleWidth();
    Twips scaleHeight();

    // Form events other than Load, Unload and Resize, raised by the view.
    std::function<void(int button, int shift, Twips x, Twips y)> onMouseDown;
    std::function<void(int button, int shift, Twips x, Twips y)> onMouseMove;
    std::function<void(int button, int shift, Twips x, Twips y)> onMouseUp;
    std::function<void()> onClick;
    std::function<void(int& keyAscii)> onKeyPress;
    void mouseDown(int button, int shift, Twips x, Twips y);
    void mouseMove(int button, int shift, Twips x, Twips y);
    void mouseUp(int button, int shift, Twips x, Twips y);
    void click();
    int keyPress(int keyAscii);

    // A window message that the form's window received, offered to the form
    // before the view handles it (a tray icon's callback, a registered
    // message such as the shell's restart). The handler returns true when it
    // took the message; the view then does nothing more with it.
    std::function<bool(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam)> onMessage;
    bool message(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

    // The view reports a size the user gave the window (frame drag, maximize).
    void sizedByUser(Twips width, Twips height);
    void setClientSize(Twips width, Twips height) { clientWidth_ = width; clientHeight_ = height; }
    // The view reports a place the user (or the system's move loop) gave the window.
    void movedByUser(Twips left, Twips top);

    void setView(std::unique_ptr<FormView> view);
    FormView* view() const { return view_.get(); }

protected:
    // The design: the window's properties and its controls in creation order.
    virtual FormDesign formDesign() = 0;
    virtual void buildControls() = 0;
    virtual void onLoad() {}
    virtual void onUnload() {}
    virtual void onResize() {}

    Control& add(ControlDesign d);
    Timer& addTimer(const std::string& name, int intervalMs, bool enabled);
    Grid& addGrid(ControlDesign d);

private:
    void ensureLoaded() { if (!loaded_) load(); }
    void notify(Prop prop);
    void resized();
    Control* find(const std::string& name) const;

    std::string name_;
    FormDesign design_;
    bool loaded_ = false;
    bool loading_ = false;
    bool visible_ = false;
    bool shownOnce_ = false;
    bool modal_ = false;
    Twips left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Twips clientWidth_ = 0, clientHeight_ = 0;
    std::string caption_;
    int mousePointer_ = 0;
    Picture icon_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*> byName_;
    std::unique_ptr<FormView> view_;
};

}  // namespace tavlo::rt
