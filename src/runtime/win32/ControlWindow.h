// The view of one control: a child window of its container (the form or a
// picture box) that shows the control's properties as they change and turns
// the window's notifications into the control's events. Labels, images and
// lines are lightweight: they stack below the other controls and, where they
// have no background of their own, paint what lies beneath them.
#pragma once

#include <memory>
#include <optional>

#include "runtime/Control.h"
#include "runtime/win32/Context.h"
#include "runtime/win32/Mouse.h"
#include "runtime/win32/Window.h"

namespace tavlo::rt::win32 {

class FormWindow;
class ControlWindow;

// A window holding control windows: the form itself or a picture box.
class Container {
public:
    virtual ~Container() = default;
    virtual HWND containerHwnd() const = 0;
    // Paints the container's own background over `area`, given in its client
    // pixels; the device context's origin maps those pixels.
    virtual void paintBackground(HDC dc, const RECT& area) = 0;
};

class ControlWindow : public Window, public ControlView, protected MouseTarget {
public:
    ControlWindow(FormWindow& form, Container& container, Control& control);
    ~ControlWindow() override;

    // Creates the window, hidden; the form shows it once all are stacked.
    virtual bool build() = 0;
    void changed(Control& control, Prop prop) override;
    // The form unloads: the control goes away, the window stays until buried.
    void retire();

    Control* control() const { return control_; }
    Container& container() const { return container_; }
    virtual bool lightweight() const { return false; }
    // A lightweight view draws its own content (text, picture, line) at the
    // origin of the device context, over what lies beneath.
    virtual void paintContent(HDC, const RECT&) {}
    // Notifications the container got from this window (WM_COMMAND,
    // WM_CTLCOLOR..., WM_DRAWITEM).
    virtual std::optional<LRESULT> reflect(UINT, WPARAM, LPARAM) { return std::nullopt; }
    // The control's place in its container, in pixels.
    virtual RECT placement() const;
    void showIfVisible();

protected:
    // Shows one property; the base shows what every kind has in common.
    virtual void update(Prop prop);
    CreateArgs childArgs(DWORD style, DWORD exStyle = 0) const;
    UiContext& ui() const;
    const Scale& scale() const;
    HFONT font();
    HBRUSH backBrush();
    // Repaints the control's area of its container, the windows over it included.
    void invalidateArea(const RECT& area) const;
    void invalidateArea() const { invalidateArea(placement()); }
    // For WM_PAINT of a view that lets the container show through.
    void paintBackdrop(HDC dc);
    std::optional<LRESULT> handleMouse(UINT msg, WPARAM wp, LPARAM lp);
    // WM_MOVE: a place the system's move loop gave the window goes to the model.
    void reportMove();
    // Text of a standard window that differs from the control's.
    void showText();
    // Colours of a standard control's text and background.
    LRESULT colorReply(HDC dc);

    bool mouseDown(int button, int shift, Twips x, Twips y) override;
    bool mouseMove(int button, int shift, Twips x, Twips y) override;
    bool mouseUp(int button, int shift, Twips x, Twips y) override;
    bool click() override;
    bool dblClick() override;

    FormWindow& form_;
    Container& container_;
    Control* control_;

private:
    void moveToPlacement();
    UniqueFont font_;
    UniqueBrush brush_;
    MouseTracker mouse_;
    RECT shownAt_{};
    bool applying_ = false;
};

// The view of a control of the given kind; nullptr for kinds without a window.
std::shared_ptr<ControlWindow> makeControlWindow(FormWindow& form, Container& container, Control& control);

// For a container: hands a child window's notification to its view.
std::optional<LRESULT> reflectToChild(UINT msg, WPARAM wp, LPARAM lp);

}  // namespace tavlo::rt::win32
