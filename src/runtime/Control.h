// The window model: a control of a form, with its properties in twips and
// its events. Controls exist only while their form is loaded; a form rebuilds
// them from its design each time it loads, so an unload returns every control
// to its design state.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tavlo::rt {

class Form;
class Control;

using Twips = int;
using Color = std::uint32_t;  // 0x00BBGGRR, as the system stores colours
using Handle = std::uintptr_t;  // a window handle, 0 when there is none

inline constexpr int True = -1;   // the integer booleans of the model
inline constexpr int False = 0;

enum class Kind {
    Label, TextBox, Button, CheckBox, Option, Picture, Image, Line,
    Timer, Grid, Menu, DriveList, FolderList, Custom
};

// Every property that a view may have to redraw.
enum class Prop {
    Geometry, Visible, Enabled, Text, ForeColor, BackColor, Font, ToolTip,
    MousePointer, Picture, Value, Line, Grid, Style, Timer, Focus
};

enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

// Standard mouse pointers.
enum Pointer { PointerDefault = 0, PointerArrow = 1, PointerHourglass = 11, PointerMove = 15 };

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

// A picture is a named piece of the program's artwork. Its handle tells two
// pictures apart: copying a picture from one control to another copies the
// handle, which is how tab states are read back.
struct Picture {
    Handle handle = 0;
    std::string resource;
    bool empty() const { return handle == 0; }
    bool operator==(const Picture&) const = default;
};

// Gets the model's property changes; the Win32 layer implements it per control.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void changed(Control& control, Prop prop) = 0;
};

struct ControlDesign {
    Kind kind = Kind::Label;
    std::string name{};
    // Name of the picture box holding it, or of the menu a menu item belongs
    // to (an item captioned "-" is a separator); empty: the form.
    std::string container{};
    Twips left = 0, top = 0, width = 0, height = 0;
    std::string text{};  // caption or text
    bool visible = true;
    bool enabled = true;
    Color foreColor = 0x000000;
    Color backColor = 0xFFFFFF;
    bool transparent = false;  // a label drawn without its own background
    Font font{};
    std::string picture{};  // artwork resource name
    int value = 0;        // check box 0/1/2; option button True/False
    int interval = 0;     // timer interval in ms
    int border = 0;       // 0 none, 1 single frame
    int alignment = 0;    // 0 left, 1 right, 2 centre
    int mousePointer = 0;
    std::string toolTip{};
    int maxLength = 0;       // text box: most characters the user can type; 0 no limit
    bool multiLine = false;  // text box: several lines, Enter starts a new one
    bool autoSize = false;   // a label whose size follows its text and font
};

class Control {
public:
    Control(Form& form, ControlDesign design);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    const std::string& name() const { return design_.name; }
    Kind kind() const { return design_.kind; }
    const std::string& containerName() const { return design_.container; }
    int border() const { return design_.border; }
    int alignment() const { return design_.alignment; }
    bool transparent() const { return design_.transparent; }
    int maxLength() const { return design_.maxLength; }
    bool multiLine() const { return design_.multiLine; }
    bool autoSize() const { return design_.autoSize; }

    Twips left() const { return left_; }
    Twips top() const { return top_; }
    Twips width() const { return width_; }
    Twips height() const { return height_; }
    void setLeft(Twips v) { move(v, top_, width_, height_); }
    void setTop(Twips v) { move(left_, v, width_, height_); }
    void setWidth(Twips v);
    void setHeight(Twips v);
    void move(Twips left, Twips top, Twips width, Twips height);
    // The view reports a place the system's move loop gave the control.
    void movedByUser(Twips left, Twips top) { left_ = left; top_ = top; }

    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);

    // Caption of labels, buttons, check boxes; Text of text boxes; Drive of a
    // drive list; Path of a folder list. Setting the text of a text box, a
    // drive list or a folder list raises Change, whoever set it; setting it to
    // the value it already holds changes nothing.
    const std::string& caption() const { return text_; }
    const std::string& text() const { return text_; }
    void setCaption(const std::string& v) { setText(v); }
    void setText(const std::string& v);
    void append(const std::string& v) { setText(text_ + v); }

    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void setFontBold(bool b);
    void setFontUnderline(bool u);
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(const std::string& t);
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int p);
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& p);

    // Check box: 0 unticked, 1 ticked, 2 greyed. Option button and button:
    // True or False. Setting it from code raises Click as a user click would.
    int value() const { return value_; }
    void setValue(int v);

    // Lines: the two end points.
    Twips x1() const { return left_; }
    Twips y1() const { return top_; }
    Twips x2() const { return x2_; }
    Twips y2() const { return y2_; }
    void setLine(Twips x1, Twips y1, Twips x2, Twips y2);

    // The real window behind the control while a view renders it.
    Handle hWnd() const;
    void setFocus();
    // Refresh: the view draws the control again; a drive list or a folder
    // list reads its entries from the system again.
    void refresh() { notify(Prop::Text); }

    // Events. A form binds them in its design; the view or a test raises them.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;
    std::function<void(int button, int shift, Twips x, Twips y)> onMouseDown;
    std::function<void(int button, int shift, Twips x, Twips y)> onMouseMove;
    std::function<void(int button, int shift, Twips x, Twips y)> onMouseUp;
    std::function<void(int& keyAscii)> onKeyPress;
    std::function<void()> onLostFocus;
    // Raised when the width or the height changes (a container's Resize).
    std::function<void()> onResize;

    void click();
    void dblClick();
    void mouseDown(int button, int shift, Twips x, Twips y);
    void mouseMove(int button, int shift, Twips x, Twips y);
    void mouseUp(int button, int shift, Twips x, Twips y);
    // Returns the key after the handler, 0 when it swallowed it.
    int keyPress(int keyAscii);
    void lostFocus();

    void setView(ControlView* view) { view_ = view; }
    ControlView* view() const { return view_; }

protected:
    void notify(Prop prop);

private:
    // An auto-sized label takes the size of its text in its font.
    void fitText();

    Form& form_;
    ControlDesign design_;
    ControlView* view_ = nullptr;
    Twips left_, top_, width_, height_;
    Twips x2_ = 0, y2_ = 0;
    bool visible_, enabled_;
    std::string text_;
    Color foreColor_, backColor_;
    Font font_;
    std::string toolTip_;
    int mousePointer_;
    Picture picture_;
    int value_;

    friend class Form;
};

}  // namespace tavlo::rt
