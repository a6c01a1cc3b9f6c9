// The main window's Settings page and the settings load that runs with each
// load of the window.
#include "core/During.h"
#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Store.h"
#include "core/ZStrtup.h"
#include "runtime/ErrorReport.h"

namespace tavlo::core {

namespace {

using rt::Kind;

constexpr const char* kGroup = "zxxis";
constexpr const char* kAlertStyleKey = "wpop";
constexpr const char* kUserNameKey = "nnnm";
constexpr const char* kPopUp = "Pop";
constexpr const char* kFullDesktop = "Full Desktop";
// Each check box's own caption is hidden by its size; a label beside it
// carries the text the user reads.
constexpr const char* kBoxCaption = "Delete when found";

std::string storedSetting(const char* key) { return DecodeValue(GetConf(kGroup, key), CipherKey()); }

}  // namespace

// Bare check boxes with their labels; only the alert style can be changed.
void Frm0::buildSettingsPage() {
    struct Box { const char* box; const char* label; const char* text; rt::Twips left, top, labelLeft; int value; bool enabled; };
    const Box boxes[] = {
        {"chkStartup", "Label2", "Launch Tavlo at computer startup", 720, 840, 960, 1, false},
        {"chkInstUSB", "Label21", "Prompt when a new USB Memory Device plugged", 720, 1320, 960, 1, false},
        {"chkPrmtPop", "Label26", "Pop Up", 1920, 1800, 2280, 1, true},
        {"chkPrmtDsk", "Label27", "Block Desktop", 1920, 2040, 2280, 0, true},
        {"chkNoAbrtScn", "Label33", "Disable Abort Scan", 1920, 2640, 2280, 0, false},
    };
    for (const Box& b : boxes) {
        add({.kind = Kind::CheckBox, .name = b.box, .container = "PicSett", .left = b.left, .top = b.top,
             .width = 195, .height = 195, .text = kBoxCaption, .enabled = b.enabled, .value = b.value});
        add({.kind = Kind::Label, .name = b.label, .container = "PicSett", .left = b.labelLeft, .top = b.top,
             .width = 4200, .height = 195, .text = b.text, .enabled = b.enabled, .transparent = true});
    }
    c("chkPrmtPop").onClick = [this] { ChoosePopUpAlert(); };
    c("chkPrmtDsk").onClick = [this] { ChooseDesktopAlert(); };
    add({.kind = Kind::Button, .name = "cmdSvSettPop", .container = "PicSett", .left = 3480, .top = 1800,
         .width = 1095, .height = 495, .text = "Save Prompt Type", .visible = false})
        .onClick = [this] { SaveNotificationMode(); };
}

// Brings the stored settings into the window: the scanner status, the
// user's name, the alert style, the Run value and the drive watch.
void Frm0::LoadMainSettings() {
    During loading(settingsLoading_);
    // After an Abort the report skips every later step.
    rt::ErrorReport report;
    report.step([&] { timer("tmrWrnNrml").setEnabled(false); });
    report.step([&] {
        auto& status = c("lblActvt2");
        status.setCaption("Active");
        status.setForeColor(0);
        status.setFontBold(false);
    });
    report.step([&] { c("txtName2").setText(storedSetting(kUserNameKey)); });
    report.step([&] {
        // Only a missing row reads as the default. After a failed read the
        // page shows the style the watch keeps using, and the stored style
        // stays as it is.
        std::string stored;
        if (!ReadConf(kAlertStyleKey, stored)) {
            showHeldAlertStyle();
            return;
        }
        const std::string mode = DecodeValue(stored, CipherKey());
        if (mode == kPopUp) c("chkPrmtPop").setValue(1);
        if (mode == kFullDesktop || mode.empty()) c("chkPrmtDsk").setValue(1);
    });
    report.step([&] { zStrtup().c("txtStrtup").append("."); });
    report.step([&] {
        const int watch = c("chkInstUSB").value();
        if (watch == 0) globals().UsbWatchEnabled = rt::False;
        else if (watch == 1) globals().UsbWatchEnabled = rt::True;
    });
}

// Ticks the box of the style NotifyFullDesktop holds; the click chain that
// follows stores nothing.
void Frm0::showHeldAlertStyle() {
    During showing(showingHeldStyle_);
    c(globals().NotifyFullDesktop != rt::False ? "chkPrmtDsk" : "chkPrmtPop").setValue(1);
}

// The two alert-style boxes form a pair of which one stays ticked: a change
// of one sets the other, whose own Click runs nested inside this one.
void Frm0::ChooseDesktopAlert() {
    const int desktop = c("chkPrmtDsk").value();
    if (desktop == 1) c("chkPrmtPop").setValue(0);
    else if (desktop == 0) c("chkPrmtPop").setValue(1);
    SaveNotificationMode();
}

void Frm0::ChoosePopUpAlert() {
    const int popUp = c("chkPrmtPop").value();
    if (popUp == 1) c("chkPrmtDsk").setValue(0);
    else if (popUp == 0) c("chkPrmtDsk").setValue(1);
    SaveNotificationMode();
}

// Publishes the chosen style to the drive watch, then stores it (unless the
// boxes only show the style the watch holds).
void Frm0::SaveNotificationMode() {
    std::string mode;
    if (c("chkPrmtPop").value() == 1) {
        mode = kPopUp;
        globals().NotifyFullDesktop = rt::False;
    } else {
        mode = kFullDesktop;
        globals().NotifyFullDesktop = rt::True;
    }
    if (showingHeldStyle_) return;
    SaveConf(kGroup, kAlertStyleKey, EncodeValue(mode, CipherKey()));
}

}  // namespace tavlo::core
