// mbttn, the program's picture button: a normal, a hover and a pressed
// picture, and a caption over them. A host window adds one by name in its
// buildControls with Mbttn::add; the button is then a control of the host
// (placed, sized, shown and hidden like any other) that holds three parts:
//   <name>.imgBk   the background, always the normal picture, full size;
//   <name>.bttn    the face, inset (10 twips left and above, 20 right and
//                  below), showing the normal, hover or pressed picture;
//   <name>.Label1  the caption, sized to its text.
// The button's one event, Click, is the control's onClick, bound by the host.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/PropertyBag.h"
#include "runtime/Form.h"

namespace tavlo::core {

class Mbttn : public rt::Control {
public:
    static constexpr rt::Color kCaptionColor = 0x8000000E;     // the system's highlight text
    static constexpr rt::Color kDefaultForeColor = 0x80000012;  // the system's button text

    // Adds the button and its parts to the host, reads its saved
    // properties and lays it out at its design size.
    static Mbttn& add(rt::Form& host, rt::ControlDesign design, const PropertyBag& saved = {});

    Mbttn(rt::Form& host, rt::ControlDesign design);
    ~Mbttn() override;

    // The button named so in the host; a program fault when it is none.
    static Mbttn& of(rt::Form& host, const std::string& name);

    // Properties. A missing picture (nothing) is ignored by the setters.
    const rt::Picture& Picture() const;
    void setPicture(const std::optional<rt::Picture>& picture);
    const rt::Picture& DownPicture() const { return dnbttn_; }
    void setDownPicture(const std::optional<rt::Picture>& picture);
    const rt::Picture& FlshPicture() const { return flsbtn_; }
    void setFlshPicture(const std::optional<rt::Picture>& picture);
    const std::string& Caption() const;
    void setCaption(const std::string& caption);
    const rt::Font& Font() const;
    void setFont(const rt::Font& font);
    rt::Color ForeColor() const;
    void setForeColor(rt::Color color);
    // Reading the tip also gives the caption the face's tooltip.
    std::string Tip();
    void setTip(const std::string& tip);
    // The normal picture the face returns to.
    const rt::Picture& Orgpic() const { return orgpic_; }

    // The property-changed notice: the name of each property set.
    std::function<void(const std::string& property)> onPropertyChanged;

    // The host's layout data.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;
    // The font a missing "Font" key gives: the host's.
    static rt::Font ambientFont() { return rt::Font{}; }

    // The parts.
    rt::Control& imgBk() const { return *imgBk_; }
    rt::Control& bttn() const { return *bttn_; }
    rt::Control& Label1() const { return *label1_; }

    // The face shows the pressed picture when it has the pressed picture's
    // handle; two empty pictures count as the same.
    bool showsPressed() const;

private:
    void addParts();
    void bindMouse();
    void Resize();
    void changed(const std::string& property);
    void showNormal();
    // Raises Click; false when the handler unloaded the host (and this button).
    bool raiseClick();

    rt::Control* imgBk_ = nullptr;
    rt::Control* bttn_ = nullptr;
    rt::Control* label1_ = nullptr;
    rt::Picture orgpic_, flsbtn_, dnbttn_;
    // Goes false when the button is destroyed, so that a handler that
    // unloaded the host can tell.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// A host's design of a button: its caption and the artwork of its three
// pictures, "<look>_normal", "<look>_hover" and "<look>_down".
PropertyBag mbttnLayout(const std::string& caption, const std::string& look, const rt::Font& font = Mbttn::ambientFont(),
                        rt::Color foreColor = Mbttn::kDefaultForeColor);

}  // namespace tavlo::core
