#include "core/FrmSplash.h"

#include <limits>

#include "core/During.h"
#include "core/Frm0.h"
#include "core/Store.h"
#include "runtime/ErrorReport.h"
#include "watch/Frm1.h"
#include "runtime/WindowCalls.h"

namespace tavlo::core {

namespace {

using rt::Kind;

constexpr rt::Twips kStartWidth = 6375, kStartHeight = 4425;
constexpr rt::Twips kFinalWidth = 6345, kFinalHeight = 4185;
constexpr rt::Color kWhite = 0xFFFFFF;
constexpr rt::Color kDarkGrey = 0x404040;
constexpr rt::Color kOrange = 0x0080FF;
constexpr rt::Color kDarkRed = 0x000080;
constexpr rt::Color kBlack = 0x000000;
constexpr rt::Color kRed = 0x0000FF;

constexpr short kShowMainTick = 15;
constexpr short kHandOverTick = 50;

constexpr const char* kMarkerKey = "conf_Info_clctd";
constexpr const char* kMarkerValue = "clctd_4m_ini";
constexpr const char* kInfoCaption = "Info";


}  // namespace

FrmSplash& frmSplash() { return rt::app().instance<FrmSplash>(); }

FrmSplash::FrmSplash() : Form("frmSplash") {}

// Borderless, white, centred on the screen; it carries the program's icon.
rt::FormDesign FrmSplash::formDesign() {
    rt::FormDesign d;
    d.caption = "Tavlo";
    d.width = kStartWidth;
    d.height = kStartHeight;
    d.border = rt::BorderStyle::None;
    d.titleBar = false;
    d.controlBox = false;
    d.showInTaskbar = false;
    d.backColor = kWhite;
    d.picture = "splash_back";
    d.icon = "#1";  // the icon resource with the number 1, the program's icon
    return d;
}

void FrmSplash::buildControls() {
    onClick = [this] { CloseInfoSplash(); };
    onKeyPress = [this](int&) { CloseInfoSplash(); };
    onMouseDown = [this](int button, int, rt::Twips, rt::Twips) { DragSplashWindow(button); };
    buildDecoration();
    buildStrip();
    add({.kind = Kind::TextBox, .name = "txtConf", .left = 5520, .top = 3120, .width = 495, .height = 285,
         .text = "Conf"})
        .onChange = [this] { LoadConfiguration(); };
    addTimer("tmrDcrtn", 10, true).onTimer = [this] { LayoutSplashDecoration(); };
    addTimer("tmrconfig", 10, true).onTimer = [this] { StartConfigurationLoad(); };
    addTimer("tmrShw", 40, true).onTimer = [this] { RunSplash(); };
}

// The artwork, the dark band, the version, the message line, the mode flag
// and the bars and border lines that LayoutSplashDecoration places.
void FrmSplash::buildDecoration() {
    add({.kind = Kind::Image, .name = "imgBk", .left = 0, .top = 0, .width = 5280, .height = 1680,
         .picture = "splash"});
    add({.kind = Kind::Label, .name = "lblGrnBk", .width = kFinalWidth, .height = 1680, .visible = false,
         .backColor = kDarkGrey});
    add({.kind = Kind::Label, .name = "lblmsgBk", .left = 0, .top = 1680, .width = 6375, .height = 420, .text = ".",
         .foreColor = kDarkGrey, .backColor = kDarkGrey});
    add({.kind = Kind::Label, .name = "lblOrngBk", .left = 0, .top = 3870, .width = 5300, .height = 315,
         .backColor = kOrange});
    add({.kind = Kind::Label, .name = "lblBklBk", .left = 5300, .top = 3870, .width = kFinalWidth, .height = 315,
         .backColor = kBlack});
    add({.kind = Kind::Label, .name = "lblVersion", .left = 5400, .top = 300, .width = 810, .height = 210,
         .text = "Version", .foreColor = kDarkGrey, .backColor = kWhite, .font = {.name = "Arial"}});
    add({.kind = Kind::Label, .name = "lblMsg", .left = 360, .top = 2400, .width = 5610, .height = 255,
         .text = "Please wait for a while...", .visible = false, .foreColor = kRed, .backColor = kWhite});
    add({.kind = Kind::Label, .name = "lblSplsInfo", .left = 360, .top = 2760, .width = 1215, .height = 255,
         .text = "Label1", .visible = false});
    for (const char* line : {"lineTop", "LineLeft", "lineBottom", "lineRight"})
        add({.kind = Kind::Line, .name = line, .foreColor = kDarkRed});
}

// The one-pixel strip, its frame, and the three pictures it cycles through,
// kept below the window.
void FrmSplash::buildStrip() {
    add({.kind = Kind::Image, .name = "imgPBrdr", .left = 345, .top = 4145, .width = 5640, .height = 45,
         .picture = "strip_frame"});
    add({.kind = Kind::Image, .name = "ImgDvdr", .left = 360, .top = 4160, .width = 5610, .height = 15,
         .picture = "strip1"});
    const char* strips[] = {"strip1", "strip2", "strip3"};
    for (int i = 0; i < 3; ++i) {
        add({.kind = Kind::Image, .name = "Image" + std::to_string(i + 1), .left = 360, .top = 4500 + 30 * i,
             .width = 5610, .height = 15, .visible = false, .picture = strips[i]});
    }
}

// The load: start size, the cipher key, the version, topmost, the strip
// centred.
void FrmSplash::InitSplash() {
    setWidth(kStartWidth);
    setHeight(kStartHeight);
    CipherKey() = kCipherKey;
    c("lblMsg").setCaption("");
    SetTopMost(hWnd(), rt::True);
    c("txtConf").setLeft(width() + 100);
    c("lblVersion").setCaption(rt::app().version.text());
    SplashImagePhase = 1;
    auto& strip = c("ImgDvdr");
    auto& frame = c("imgPBrdr");
    strip.setLeft(width() / 2 - strip.width() / 2);
    frame.setLeft(width() / 2 - frame.width() / 2);
    frame.setTop(strip.top() - 15);
    frame.setHeight(strip.height() + 30);
}

// Once per load: the final size, the strip near the bottom over the orange
// and black bars, the band, and the dark red border.
void FrmSplash::LayoutSplashDecoration() {
    timer("tmrDcrtn").setEnabled(false);
    setWidth(kFinalWidth);
    setHeight(kFinalHeight);
    auto& strip = c("ImgDvdr");
    strip.setTop(height() - 345);
    auto& orange = c("lblOrngBk");
    orange.setHeight(315);
    orange.setCaption("");
    orange.move(0, strip.top() + 30, 5300, orange.height());
    auto& black = c("lblBklBk");
    black.setCaption("");
    black.move(orange.width(), strip.top() + 30, width(), orange.height());
    auto& top = c("lblGrnBk");
    top.setCaption("");
    top.move(0, 0, width(), c("lblmsgBk").top());
    c("lblmsgBk").setWidth(width());
    const rt::Twips w = width(), h = height();
    c("lineTop").setLine(0, 0, w, 5);
    c("LineLeft").setLine(5, 0, 0, h);
    c("lineBottom").setLine(0, h - 15, w, h - 15);
    c("lineRight").setLine(w - 10, 0, w - 10, h);
}

// The timer keeps running until the load returns; a tick that comes while
// the load waits on a message of its own does nothing.
void FrmSplash::StartConfigurationLoad() {
    if (loadingConfiguration_) return;
    LoadConfiguration();
    timer("tmrconfig").setEnabled(false);
}

// Opens the settings database and seeds it on the first run. The seeding
// runs at most once per call, so a database that does not keep the marker
// cannot hold the start-up in a loop. While the load runs (its messages
// included, whose modal loops let timers fire) the splash's ticks are
// skipped, so the start-up goes on to the main window only after it.
void FrmSplash::LoadConfiguration() {
    During loading(loadingConfiguration_);
    rt::ErrorReport report;
    for (bool seededNow = false;;) {
        bool open = false;
        if (!report.step([&] { open = EnsureConfDb(); })) return;
        if (!open) rt::app().sys().process.end(0);
        bool seeded = false;
        if (!report.step([&] { seeded = configurationSeeded(); })) return;
        if (seeded || seededNow) break;
        if (!report.step([&] { seedConfiguration(); })) return;
        seededNow = true;
    }
    ConfigurationLoaded = rt::True;
    c("lblMsg").setCaption("");
}

// The first run is over once conf holds the marker row. Its value is
// "clctd_4m_ini" as seeded, or "ok"; a marker row holding anything else
// counts as seeded as well: the stored settings are kept and no second
// marker row is added.
bool FrmSplash::configurationSeeded() {
    std::string value;
    return GetMarker(kMarkerKey, value);
}

// The first run: the full-desktop alert, and the plain marker row.
void FrmSplash::seedConfiguration() {
    SaveConf("zxxis", "wpop", EncodeValue("Full Desktop", CipherKey()));
    AddMarker(kMarkerKey, kMarkerValue);
}

// Every 40 ms: the strip's next picture; the main window at tick 15; at
// tick 50 the tray form, and the splash hides, unless it is the Info box.
void FrmSplash::RunSplash() {
    if (loadingConfiguration_) return;
    if (SplashTickCount < std::numeric_limits<short>::max()) ++SplashTickCount;
    auto& strip = c("ImgDvdr");
    auto& frame = c("imgPBrdr");
    frame.setTop(strip.top() - 15);
    frame.setHeight(strip.height() + 30);
    const char* next = SplashImagePhase == 1 ? "Image1" : SplashImagePhase == 2 ? "Image2" : "Image3";
    strip.setPicture(c(next).picture());
    SplashImagePhase = SplashImagePhase == 1 ? 2 : SplashImagePhase == 2 ? 3 : 1;
    if (SplashTickCount == kShowMainTick) frm0().show();
    if (!infoMode() && SplashTickCount >= kHandOverTick) handOver();
}

// Failing steps of the hand-over are skipped.
void FrmSplash::handOver() {
    timer("tmrShw").setEnabled(false);
    TrayHandedOver = true;
    rt::skipOnError([] { watch::frm1().show(); });
    rt::skipOnError([this] { hide(); });
    timer("tmrShw").setEnabled(false);
}

bool FrmSplash::infoMode() { return c("lblSplsInfo").caption() == kInfoCaption; }

// Only a loaded window is closed: asking an unloaded one would load it.
// An Info box opened before the splash handed over to the tray form kept
// its timer from doing so; the unloaded splash ticks no more, so the tray
// form is shown as the box closes.
void FrmSplash::CloseInfoSplash() {
    if (!loaded() || !infoMode()) return;
    unload();
    if (!TrayHandedOver) {
        TrayHandedOver = true;
        rt::skipOnError([] { watch::frm1().show(); });
    }
}

// A left-button press on the bare window lets the system move it. The
// system's move loop takes the button's release, so a press released
// without moving the window counts as the click that closes the Info box.
void FrmSplash::DragSplashWindow(int button) {
    if (button != rt::LeftButton) return;
    const rt::Twips x = left(), y = top();
    rt::DragWithPointer(*this);
    if (left() == x && top() == y) CloseInfoSplash();
}

void FrmSplash::CheckConfigurationOnUnload() {
    if (!ConfigurationLoaded) rt::app().msgBox("Confirutation Error...", rt::OkOnly);
}

long FrmSplash::SetTopMost(rt::Handle hWnd, short topMost) {
    return rt::SetTopMost(hWnd, topMost);
}

}  // namespace tavlo::core
