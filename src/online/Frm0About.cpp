// The main window's About page (version, update, support and home links, the
// Suggest button), the Help page's guide and links, and the behaviour of the
// link labels: a press moves a label down and to the right, hovering turns it
// red, the release moves it back and opens its page in the browser.
#include <cmath>

#include "core/Frm0.h"
#include "online/Server.h"
#include "runtime/ErrorReport.h"

namespace tavlo::core {

namespace {

using rt::Kind;

constexpr rt::Color kLinkBlue = 0xFF0000;
constexpr rt::Color kHoverRed = 0x0000FF;
constexpr rt::Color kGuideGreen = 0x008000;
constexpr rt::Color kHeadingColor = 0x6A4020;
constexpr int kHandPointer = 99;
constexpr rt::Twips kPressShift = 10;

// What sets each link label apart: its page, its look under the mouse and
// what its press and release change besides the position.
struct LinkLook {
    const char* name;
    const char* path;  // appended to the server's base address; nullptr: the caption is the address
    bool hoverUnderline;  // besides turning red under the mouse
    bool pressUnderlineOff;
    bool releaseBlue;
    bool releaseUnderlineOff;
    bool releaseUnderlineOn;
};

constexpr LinkLook kLinks[] = {
    {"lblNewVer", "/download.php?i=qorl", true, false, true, true, false},
    {"lblSupprt", "/support", false, true, false, false, true},
    {"lblHelp", "/help", false, false, false, false, false},
    {"lblBug", "/bug", false, false, false, false, false},
    {"lblLicAgr", nullptr, true, false, true, true, false},
    {"lblFedBk", "/feedback.php", false, false, true, false, false},  // no hover handler
};

const LinkLook* lookOf(const std::string& name) {
    for (const LinkLook& l : kLinks) {
        if (name == l.name) return &l;
    }
    return nullptr;
}

rt::ControlDesign linkDesign(const char* name, const char* page, rt::Twips left, rt::Twips top, rt::Twips width,
                             const std::string& caption, const std::string& toolTip) {
    return {.kind = Kind::Label, .name = name, .container = page, .left = left, .top = top, .width = width,
            .height = 195, .text = caption, .foreColor = kLinkBlue, .transparent = true,
            .font = {.underline = true}, .mousePointer = kHandPointer, .toolTip = "Webpage : " + toolTip};
}

rt::ControlDesign textDesign(const char* name, const char* page, rt::Twips left, rt::Twips top, rt::Twips width,
                             const char* caption) {
    return {.kind = Kind::Label, .name = name, .container = page, .left = left, .top = top, .width = width,
            .height = 195, .text = caption, .transparent = true};
}

rt::ControlDesign headingDesign(const char* name, const char* page, rt::Twips width, const char* caption,
                                double size) {
    return {.kind = Kind::Label, .name = name, .container = page, .left = 480, .top = 300, .width = width,
            .height = 330, .text = caption, .foreColor = kHeadingColor, .transparent = true,
            .font = {.size = size, .bold = true}};
}

}  // namespace

void Frm0::buildAboutPage() {
    VersionCheckBusy = rt::False;
    SuggestBusy = rt::False;
    MachineId = online::MachineIdentifier();
    onMouseMove = [this](int, int, rt::Twips, rt::Twips) { ResetHomeLinkLook(); };
    c("lblLUpdt0").onClick = [this] { CheckLatestVersion(); };
    buildAboutLinks();
    buildHelpGuide();
    buildSuggestPanel();
}

// The About page: what the program is, its version with the update link, the
// home, support, help and bug-report links and the Suggest button.
void Frm0::buildAboutLinks() {
    const char* page = "picRegs";
    const rt::ControlDesign texts[] = {
        headingDesign("lblAbtName", page, 3000, "Tavlo", 14),
        textDesign("lblAbtWhat", page, 480, 780, 6600, "Guards your PC against malware carried on USB memory sticks."),
        textDesign("lblAbtVer", page, 480, 1200, 1200, "Version :"),
        textDesign("lblVersion", page, 1740, 1200, 1000, ""),
        textDesign("lblAbtHome", page, 480, 1560, 1200, "Home page :"),
        textDesign("lblAbtSupp", page, 480, 2040, 1200, "Need help :"),
        textDesign("lblAbtBug", page, 480, 2400, 1200, "Found a fault :"),
        textDesign("lblAbtSgst", page, 480, 2940, 3000, "Tell a friend about Tavlo :"),
    };
    for (const auto& text : texts) add(text);
    add(linkDesign("lblNewVer", page, 2880, 1200, 2400, "", "Download"));
    add(linkDesign("lblLicAgr", page, 1740, 1560, 3600, online::ServerBase(), "Tavlo Home"));
    add(linkDesign("lblSupprt", page, 1740, 2040, 1140, "Online Support", "Support"));
    add(linkDesign("lblHelp", page, 3120, 2040, 1000, "Online Help", "Help"));
    add(linkDesign("lblBug", page, 1740, 2400, 1000, "Report Hare", "Bug Report"));
    add({.kind = Kind::Button, .name = "CmdSuggest2", .container = page, .left = 3120, .top = 2880, .width = 1095,
         .height = 330, .text = "Suggest"})
        .onClick = [this] { ShowSuggestPanel(); };
    for (const char* name : {"lblNewVer", "lblLicAgr", "lblSupprt", "lblHelp", "lblBug"}) {
        auto& link = c(name);
        const std::string n = name;
        link.onMouseDown = [this, n](int, int, rt::Twips, rt::Twips) { PressLinkLabel(n); };
        link.onMouseMove = [this, n](int, int, rt::Twips, rt::Twips) { HoverLinkLabel(n); };
        link.onMouseUp = [this, n](int, int, rt::Twips, rt::Twips) { OpenLinkLabel(n); };
    }
}

// The Help page: the first steps, with the step label that points the guide
// arrow at the Settings tab, and the links to the tell-a-friend panel and to
// the feedback page.
void Frm0::buildHelpGuide() {
    const char* page = "picHelp";
    const rt::ControlDesign texts[] = {
        headingDesign("lblHlpHead", page, 4000, "Getting started", 12),
        textDesign("lblHlpStp1", page, 480, 900, 6600,
                   "1.  Plug in a USB memory stick: Tavlo scans it at once and reports what it finds."),
        textDesign("lblHlpStp2", page, 480, 1260, 2700, "2.  Choose how Tavlo alerts you :"),
        textDesign("lblHlpStp3", page, 480, 1620, 6600,
                   "3.  Delete the risky files, or add the ones you trust to the White List."),
        textDesign("lblHlpSgst", page, 480, 2220, 2700, "Like Tavlo? Tell a friend :"),
        textDesign("lblHlpFdBk", page, 480, 2580, 2700, "Tell us what you think :"),
    };
    for (const auto& text : texts) add(text);
    add({.kind = Kind::Label, .name = "lblStp2Cnf_CnfTab", .container = page, .left = 3240, .top = 1260,
         .width = 1800, .height = 195, .text = "* Go to Settings Tab", .foreColor = kGuideGreen,
         .transparent = true})
        .onClick = [this] { PointGuideArrowAtSettings(); };
    add({.kind = Kind::Label, .name = "LblSuggst", .container = page, .left = 3240, .top = 2220, .width = 735,
         .height = 195, .text = "Click hare", .foreColor = kLinkBlue, .transparent = true,
         .font = {.underline = true}, .mousePointer = kHandPointer, .toolTip = " Suggest window "})
        .onClick = [this] { ShowSuggestPanel(); };
    auto& feedback = add(linkDesign("lblFedBk", page, 3240, 2580, 735, "Click hare", "Review"));
    feedback.onMouseDown = [this](int, int, rt::Twips, rt::Twips) { PressLinkLabel("lblFedBk"); };
    feedback.onMouseUp = [this](int, int, rt::Twips, rt::Twips) { OpenLinkLabel("lblFedBk"); };
    add({.kind = Kind::Image, .name = "imgArowD", .container = page, .left = 6600, .top = 3360, .width = 345,
         .height = 345, .picture = "arrow_down"})
        .onClick = [this] { HideGuideArrow(); };
}

void Frm0::PressLinkLabel(const std::string& label) {
    auto& link = c(label);
    link.move(link.left() + kPressShift, link.top() + kPressShift, link.width(), link.height());
    if (const LinkLook* look = lookOf(label); look && look->pressUnderlineOff) link.setFontUnderline(false);
}

void Frm0::HoverLinkLabel(const std::string& label) {
    const LinkLook* look = lookOf(label);
    if (!look) return;
    auto& link = c(label);
    link.setForeColor(kHoverRed);
    if (look->hoverUnderline) link.setFontUnderline(true);
}

// Each statement runs with errors ignored; the result of the open is not looked at.
void Frm0::OpenLinkLabel(const std::string& label) {
    const LinkLook* look = lookOf(label);
    if (!look) return;
    rt::skipOnError([&] {
        auto& link = c(label);
        if (look->releaseBlue) link.setForeColor(kLinkBlue);
        if (look->releaseUnderlineOff) link.setFontUnderline(false);
        if (look->releaseUnderlineOn) link.setFontUnderline(true);
    });
    rt::skipOnError([&] {
        auto& link = c(label);
        link.move(link.left() - kPressShift, link.top() - kPressShift, link.width(), link.height());
    });
    rt::skipOnError([&] {
        const std::string address = look->path ? online::ServerUrl(look->path) : c(label).caption();
        rt::app().sys().shell.open(hWnd(), address);
    });
}

void Frm0::ResetHomeLinkLook() {
    auto& home = c("lblLicAgr");
    home.setForeColor(kLinkBlue);
    home.setFontUnderline(false);
}

// Centres the arrow over the Settings tab, standing on the Help page's bottom
// edge; the place is taken once, when the step label is clicked.
void Frm0::PointGuideArrowAtSettings() {
    auto& arrow = c("imgArowD");
    auto& tab = c("picBtnSet");
    auto& help = c("picHelp");
    arrow.setVisible(true);
    const float left = static_cast<float>(tab.left() - help.left()) + static_cast<float>(tab.width()) / 2.0f -
                       static_cast<float>(arrow.width()) / 2.0f;
    arrow.setLeft(static_cast<rt::Twips>(std::lround(left)));
    arrow.setTop(help.height() - arrow.height());
}

void Frm0::HideGuideArrow() { c("imgArowD").setVisible(false); }

}  // namespace tavlo::core
