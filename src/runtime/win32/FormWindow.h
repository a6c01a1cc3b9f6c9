// The view of a loaded form: a top-level window with the form's border,
// title bar, colour, background picture and icon, holding one view per
// control. The user's sizing and moving go back to the model; a close asks
// the model to unload the form.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Form.h"
#include "runtime/win32/ControlWindow.h"

namespace tavlo::rt::win32 {

class FormWindow : public Window, public Container, private MouseTarget {
public:
    FormWindow(UiContext& ui, Form& form);
    ~FormWindow() override;

    // Creates the window and the views of the controls; false when the
    // system refused the window.
    bool build();
    void changed(Prop prop);
    // The form unloads: every view lets go of the model; the windows are
    // hidden and wait to be destroyed from the message loop.
    void retire();

    UiContext& ui() const { return ui_; }
    Form* form() const { return form_; }
    Handle controlHWnd(const Control& control) const;
    void setFocus(Control& control);
    void setToolTip(HWND tool, const std::string& text);
    // Paints, over `area` of a container, its background and the lightweight
    // controls that lie below `upTo` in it.
    void paintBelow(HDC dc, Container& container, const RECT& area, const ControlWindow* upTo);

    // Forms put inside a window that goes away (SetParent into a picture box
    // or another form) return to the desktop where they stood, rather than
    // die with it.
    static void releaseEmbedded(HWND container);

    HWND containerHwnd() const override { return hwnd(); }
    void paintBackground(HDC dc, const RECT& area) override;

protected:
    const wchar_t* ownClass() const override { return L"TavloForm"; }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool buildControls();
    ControlWindow* viewOf(Control& control);
    void stackControls();
    void applyGeometry();
    void applyVisible();
    void hide();
    void applyIcon();
    void reportSize();
    void reportPosition();
    void paint();
    LRESULT setCursor(WPARAM wp, LPARAM lp);

    bool mouseDown(int button, int shift, Twips x, Twips y) override;
    bool mouseMove(int button, int shift, Twips x, Twips y) override;
    bool mouseUp(int button, int shift, Twips x, Twips y) override;
    bool click() override;
    bool dblClick() override;

    UiContext& ui_;
    Form* form_;
    Picture background_;
    std::vector<std::shared_ptr<ControlWindow>> views_;  // in the form's order
    std::map<const Control*, ControlWindow*> byControl_;
    UniqueWindow toolTip_;
    MouseTracker mouse_;
    bool applying_ = false;  // moving or sizing the window to the model's values
};

}  // namespace tavlo::rt::win32
