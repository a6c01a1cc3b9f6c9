#include "core/Mbttn.h"

#include <algorithm>
#include <cmath>

namespace tavlo::core {

using rt::Kind;

Mbttn::Mbttn(rt::Form& host, rt::ControlDesign design) : Control(host, std::move(design)) {}

Mbttn::~Mbttn() { *alive_ = false; }

Mbttn& Mbttn::add(rt::Form& host, rt::ControlDesign design, const PropertyBag& saved) {
    design.kind = Kind::Custom;
    auto& button = static_cast<Mbttn&>(host.adopt(std::make_unique<Mbttn>(host, std::move(design))));
    button.addParts();
    button.bindMouse();
    button.onResize = [&button] { button.Resize(); };
    button.ReadProperties(saved);
    button.Resize();
    return button;
}

Mbttn& Mbttn::of(rt::Form& host, const std::string& name) {
    auto* button = dynamic_cast<Mbttn*>(&host.c(name));
    if (!button) throw std::logic_error(name + " is not a picture button");
    return *button;
}

// Back to front: the background, the face, the caption.
void Mbttn::addParts() {
    rt::Form& host = form();
    const std::string& n = name();
    auto part = [&](rt::ControlDesign d) -> rt::Control& {
        return host.adopt(std::make_unique<rt::Control>(host, std::move(d)));
    };
    imgBk_ = &part({.kind = Kind::Image, .name = n + ".imgBk", .container = n});
    bttn_ = &part({.kind = Kind::Image, .name = n + ".bttn", .container = n});
    label1_ = &part({.kind = Kind::Label, .name = n + ".Label1", .container = n, .foreColor = kCaptionColor,
                     .transparent = true, .alignment = 2, .autoSize = true});
}

// The mouse rules. Any button counts; the view sends the release to the
// part that got the press.
void Mbttn::bindMouse() {
    bttn_->onMouseDown = [this](int, int, rt::Twips, rt::Twips) { bttn_->setPicture(dnbttn_); };
    bttn_->onMouseMove = [this](int, int, rt::Twips, rt::Twips) {
        if (!showsPressed()) bttn_->setPicture(flsbtn_);
    };
    bttn_->onMouseUp = [this](int, int, rt::Twips, rt::Twips) {
        if (raiseClick()) showNormal();
    };
    imgBk_->onMouseMove = [this](int, int, rt::Twips, rt::Twips) { showNormal(); };
    label1_->onMouseDown = [this](int, int, rt::Twips, rt::Twips) {
        bttn_->setPicture(showsPressed() ? orgpic_ : dnbttn_);
    };
    label1_->onMouseUp = [this](int, int, rt::Twips, rt::Twips) {
        showNormal();
        raiseClick();
    };
}

bool Mbttn::raiseClick() {
    const std::shared_ptr<bool> alive = alive_;
    click();
    return *alive;
}

void Mbttn::showNormal() { bttn_->setPicture(orgpic_); }

bool Mbttn::showsPressed() const { return bttn_->picture().handle == dnbttn_.handle; }

// The face inset in the background; the caption centred 10 twips left of
// the face's centre, its bottom 30 twips above the face's bottom. Below 30
// twips the face shrinks to nothing.
void Mbttn::Resize() {
    const rt::Twips w = width(), h = height();
    const rt::Twips faceW = std::max(0, w - 30), faceH = std::max(0, h - 30);
    bttn_->move(10, 10, faceW, faceH);
    imgBk_->move(0, 0, w, h);
    rt::Control& caption = *label1_;
    caption.move(static_cast<rt::Twips>(std::lround(faceW / 2.0 - caption.width() / 2.0)),
                 faceH - (caption.height() + 20), caption.width(), caption.height());
}

void Mbttn::changed(const std::string& property) {
    if (onPropertyChanged) onPropertyChanged(property);
}

const rt::Picture& Mbttn::Picture() const { return bttn_->picture(); }

void Mbttn::setPicture(const std::optional<rt::Picture>& picture) {
    if (!picture) return;
    bttn_->setPicture(*picture);
    orgpic_ = *picture;
    imgBk_->setPicture(*picture);
    changed("Picture");
}

void Mbttn::setDownPicture(const std::optional<rt::Picture>& picture) {
    if (!picture) return;
    dnbttn_ = *picture;
    changed("DownPicture");
}

void Mbttn::setFlshPicture(const std::optional<rt::Picture>& picture) {
    if (!picture) return;
    flsbtn_ = *picture;
    changed("FlshPicture");
}

const std::string& Mbttn::Caption() const { return label1_->caption(); }

void Mbttn::setCaption(const std::string& caption) {
    label1_->setCaption(caption);
    changed("Caption");
}

const rt::Font& Mbttn::Font() const { return label1_->font(); }

void Mbttn::setFont(const rt::Font& font) {
    label1_->setFont(font);
    changed("Font");
}

rt::Color Mbttn::ForeColor() const { return label1_->foreColor(); }

void Mbttn::setForeColor(rt::Color color) {
    label1_->setForeColor(color);
    changed("ForeColor");
}

std::string Mbttn::Tip() {
    label1_->setToolTip(bttn_->toolTip());
    return bttn_->toolTip();
}

void Mbttn::setTip(const std::string& tip) {
    bttn_->setToolTip(tip);
    label1_->setToolTip(tip);
    changed("Tip");
}

// "Picture" goes to the face, to the normal picture, then through the
// setter (which ignores a missing one); "Tip" to the face only.
void Mbttn::ReadProperties(const PropertyBag& bag) {
    const rt::Picture none{};
    bttn_->setPicture(bag.readPicture("Picture").value_or(none));
    orgpic_ = bag.readPicture("Picture").value_or(none);
    setPicture(bag.readPicture("Picture"));
    flsbtn_ = bag.readPicture("FlshPicture").value_or(none);
    dnbttn_ = bag.readPicture("DownPicture").value_or(none);
    label1_->setCaption(bag.readText("Caption", ""));
    label1_->setFont(bag.readFont("Font", ambientFont()));
    label1_->setForeColor(bag.readColor("ForeColor", kDefaultForeColor));
    bttn_->setToolTip(bag.readText("Tip", ""));
}

void Mbttn::WriteProperties(PropertyBag& bag) const {
    const rt::Picture none{};
    bag.write("Picture", bttn_->picture(), none);
    bag.write("Picture", orgpic_, none);
    bag.write("Picture", Picture(), none);
    bag.write("FlshPicture", flsbtn_, none);
    bag.write("DownPicture", dnbttn_, none);
    bag.write("Caption", label1_->caption(), std::string());
    bag.write("Font", label1_->font(), ambientFont());
    bag.write("ForeColor", label1_->foreColor(), kDefaultForeColor);
    bag.write("Tip", bttn_->toolTip(), std::string());
}

PropertyBag mbttnLayout(const std::string& caption, const std::string& look, const rt::Font& font,
                        rt::Color foreColor) {
    PropertyBag bag;
    const rt::Picture none{};
    bag.write("Picture", rt::Picture{0, look + "_normal"}, none);
    bag.write("FlshPicture", rt::Picture{0, look + "_hover"}, none);
    bag.write("DownPicture", rt::Picture{0, look + "_down"}, none);
    bag.write("Caption", caption, std::string());
    bag.write("Font", font, Mbttn::ambientFont());
    bag.write("ForeColor", foreColor, Mbttn::kDefaultForeColor);
    return bag;
}

}  // namespace tavlo::core
