// The main window's Scan page (target row, browse panel, progress strip) and
// the scan driver RunScan, which works through the queue of pending drives.
#include <cmath>
#include <functional>
#include <initializer_list>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Mbttn.h"
#include "runtime/ErrorReport.h"
#include "scanner/ResultCells.h"
#include "scanner/ScanEngine.h"
#include "watch/Frm1.h"

namespace tavlo::core {

namespace {

constexpr const char* kManualDefaultTarget = "C:\\vir_test";
constexpr const char* kBlanks11 = "           ";
constexpr rt::Color kLinkBlue = 0xFF0000;
constexpr rt::Color kScanCaptionColor = 0xFFFFFF;  // white on the Scan button's dark faces
constexpr int kCustomPointer = 99;

std::string driveRoot(int index) { return {static_cast<char>(kFirstDriveLetter + index), ':', '\\'}; }

// One call of the scan driver. Until the alerts' close trigger has fired in
// this call, a failing statement ends the call without a word; from then on
// each failing statement goes to the error report.
class ScanDriver {
public:
    explicit ScanDriver(Frm0& w) : w_(w), g_(globals()) {}
    void run();

private:
    using Step = std::function<void()>;
    bool step(const Step& s);
    bool steps(std::initializer_list<Step> list);
    bool pass();
    bool scanTarget(const std::string& target, bool manual);
    bool showTotals();
    void markScanned(const std::string& target);
    void resetAfterFailure();

    Frm0& w_;
    Globals& g_;
    bool reportErrors_ = false;
    rt::ErrorReport report_;
};

void ScanDriver::run() {
    try {
        bool more = true;
        while (more) {
            if (!pass() || !step([&] { more = g_.anyPending(); })) {
                resetAfterFailure();
                return;
            }
        }
    } catch (const rt::Error&) {
        resetAfterFailure();
    }
}

bool ScanDriver::step(const Step& s) {
    if (!reportErrors_) {
        s();
        return true;
    }
    return report_.step(s);
}

bool ScanDriver::steps(std::initializer_list<Step> list) {
    for (const Step& s : list) {
        if (!step(s)) return false;
    }
    return true;
}

// The target: the manual folder once, else the lowest pending drive root.
bool ScanDriver::pass() {
    std::string target;
    bool manual = false;
    const bool chosen = step([&] {
        if (w_.ManualScan) {
            manual = true;
            target = w_.c("txtPath2").text();
            w_.ManualScan = rt::False;
            return;
        }
        for (int i = kDriveLetters - 1; i >= 0; --i) {
            if (g_.pending(i)) target = driveRoot(i);
        }
    });
    if (!chosen) return false;
    if (!target.empty() && !scanTarget(target, manual)) return false;
    return showTotals();
}

bool ScanDriver::scanTarget(const std::string& target, bool manual) {
    return steps({
        [&] { w_.OpenScanPage(); },
        [&] { g_.ScanInProgress = rt::True; },
        [&] { w_.c("txtPath1").setEnabled(false); },
        [&] { w_.timer("tmrProg").setEnabled(true); },
        [&] { rt::app().doEvents(); },
        [&] { scanner::ScanFolder(target, w_); },
        [&] { rt::app().setScreenPointer(rt::PointerDefault); },
        [&] { w_.c("txtLastRow").append("."); },
        [&] { w_.timer("tmrProg").setEnabled(false); },
        [&] { w_.c("picPrgrs1").setVisible(false); },
        [&] { w_.c("txtPath1").setEnabled(true); },
        [&] { g_.ScanInProgress = rt::False; },
        [&] {
            if (!manual) markScanned(target);
        },
    });
}

// A drive pass's target is a drive root. A drive that went away during its
// pass has lost its attached flag and stays unmarked.
void ScanDriver::markScanned(const std::string& target) {
    const int i = Globals::letterIndex(target[0]);
    if (g_.DriveAttached[i]) g_.DriveScanned[i] = rt::True;
}

bool ScanDriver::showTotals() {
    if (!steps({[&] { w_.timer("tmrProg").setEnabled(false); }, [&] { w_.c("picPrgrs1").setVisible(false); }})) {
        return false;
    }
    const bool checked = step([&] {
        if (!scanner::cells::NothingLeftToActOn(w_.grid("MsfInfectd"))) return;
        watch::frm1().c("txtUnldAlrt").append(".");
        reportErrors_ = true;
    });
    if (!checked) return false;
    const std::string total = std::to_string(g_.RiskyObjectCount);
    return steps({
        [&] { w_.grid("MsfInfectd").setEnabled(true); },
        [&] { rt::app().setScreenPointer(rt::PointerDefault); },
        [&] { w_.OpenScanPage(); },
        [&] { w_.c("lblInfected").setCaption(total); },
        [&] { w_.c("picCncMsg").setVisible(true); },
        [&] { w_.c("lblCncMsg").setCaption("Risky Objects found: " + total); },
    });
}

// A call that ends early must not leave the scanner locked: the next
// trigger has to find no scan running and the path box usable.
void ScanDriver::resetAfterFailure() {
    g_.ScanInProgress = rt::False;
    rt::skipOnError([&] { w_.timer("tmrProg").setEnabled(false); });
    rt::skipOnError([&] { w_.c("picPrgrs1").setVisible(false); });
    rt::skipOnError([&] { w_.c("txtPath1").setEnabled(true); });
    rt::app().setScreenPointer(rt::PointerDefault);
}

// The folder that a folder list opens for a drive: the process's current
// folder when it lies on that drive, else the drive's root.
std::string currentFolderOn(char letter) {
    const std::string current = rt::app().sys().files.currentFolder();
    if (current.size() >= 2 && current[1] == ':' && (current[0] & ~0x20) == (letter & ~0x20)) return current;
    return {letter, ':', '\\'};
}

std::string driveText(char letter) { return {static_cast<char>(letter | 0x20), ':'}; }

}  // namespace

void Frm0::RunScan() {
    if (globals().ScanInProgress) return;
    ScanDriver(*this).run();
}

void Frm0::StartManualScan() {
    if (c("OptDrvPath").value() == rt::False) {
        rt::app().msgBox(std::string("Nothing selected to scan.") + kBlanks11, rt::Information);
        return;
    }
    ManualScan = rt::True;
    globals().AbortScanRequested = rt::False;
    OpenScanPage();
    RunScan();
}

void Frm0::SelectPathOption() {
    if (c("OptDrvPath").value() == rt::False) c("OptDrvPath").setValue(rt::True);
}

void Frm0::TakeTypedPath() {
    c("OptDrvPath").setValue(rt::True);
    c("txtPath2").setText(c("txtPath1").text());
}

// The panel opens under the "..." button, right edges lined up, and reaches
// down to 500 twips above the window's bottom edge.
void Frm0::ShowBrowsePanel() {
    c("DriveX1").refresh();
    rt::Control& panel = c("PicNewClVen");
    const rt::Control& browse = c("cmdBrowse");
    panel.setVisible(true);
    panel.setLeft(browse.left() + browse.width() - panel.width());
    panel.setTop(browse.top() + browse.height() + 20);
    panel.setHeight(height() - 500 - panel.top());
    rt::Control& dir = c("Dir1");
    rt::Control& ok = c("cmdOK");
    dir.setHeight(panel.height() - dir.top() - (ok.height() + 40));
    ok.setTop(dir.top() + dir.height() + 30);
}

// A drive without a readable medium keeps the folder list where it was.
void Frm0::BrowseDriveChanged() {
    rt::Control& drives = c("DriveX1");
    rt::Control& dir = c("Dir1");
    if (drives.text().empty()) return;
    const char letter = static_cast<char>(drives.text()[0] & ~0x20);
    const std::string& shown = dir.text();
    if (shown.size() >= 2 && shown[1] == ':' && (shown[0] & ~0x20) == letter) return;
    auto& files = rt::app().sys().files;
    if (!files.existsFolder(std::string{letter, ':', '\\'})) {
        rt::app().msgBox("Drive " + driveText(letter) + " is not ready.", rt::Exclamation);
        if (shown.size() >= 2 && shown[1] == ':') drives.setText(driveText(shown[0]));
        return;
    }
    dir.setText(currentFolderOn(letter));
}

void Frm0::BrowseFolderPicked() { c("cmdOK").setValue(rt::True); }

void Frm0::AcceptBrowsedFolder() {
    c("txtPath1").setText(c("Dir1").text());
    CloseBrowsePanel();
}

void Frm0::CloseBrowsePanel() { c("PicNewClVen").setVisible(false); }

void Frm0::AbortScan() {
    const int answer = rt::app().msgBox(
        std::string("Aborting scan is not recommended") + kBlanks11 + "\r\nAbort anyway?",
        rt::YesNo | rt::Exclamation);
    if (answer == rt::No) return;
    globals().AbortScanRequested = rt::True;
    c("txtLastRow").append(".");
}

// The image moves right by a sixth of its width per tick and starts again at
// the left edge once the next step would pass the strip's end.
void Frm0::AnimateScanProgress() {
    rt::Control& strip = c("picPrgrs1");
    rt::Control& image = c("Image1");
    strip.setVisible(true);
    image.setVisible(true);
    const float step = static_cast<float>(image.width()) / 6.0f;
    if (static_cast<float>(strip.width()) - step > static_cast<float>(image.left())) {
        image.setLeft(static_cast<rt::Twips>(std::lround(static_cast<float>(image.left()) + step)));
    } else {
        image.setLeft(0);
    }
}

void Frm0::buildScanPage() {
    using rt::Kind;
    // Every load starts with no manual pass waiting.
    ManualScan = rt::False;
    // Hidden trigger boxes: appending "." runs the scan driver, the refresh.
    add({.kind = Kind::TextBox, .name = "txtNo1", .left = 10920, .top = 120, .width = 375, .height = 285,
         .visible = false})
        .onChange = [this] { RunScan(); };
    add({.kind = Kind::TextBox, .name = "txtLastRow", .left = 11400, .top = 120, .width = 375, .height = 285,
         .visible = false})
        .onChange = [this] { RefreshResultsAgainstIgnoreList(); };

    // The target row.
    add({.kind = Kind::Option, .name = "OptDrvPath", .left = 3120, .top = 1515, .width = 195, .height = 195,
         .transparent = true});
    add({.kind = Kind::Label, .name = "Label1", .left = 3360, .top = 1515, .width = 480, .height = 195,
         .text = "Folder ", .foreColor = 0xFFFFFF, .transparent = true})
        .onClick = [this] { SelectPathOption(); };
    add({.kind = Kind::TextBox, .name = "txtPath1", .left = 3960, .top = 1485, .width = 4695, .height = 285})
        .onChange = [this] { TakeTypedPath(); };
    add({.kind = Kind::Button, .name = "cmdBrowse", .left = 8760, .top = 1485, .width = 375, .height = 285,
         .text = "..."})
        .onClick = [this] { ShowBrowsePanel(); };
    Mbttn::add(*this, {.name = "mbtnScan", .left = 9480, .top = 1440, .width = 855, .height = 375},
               mbttnLayout("Scan", "scan_button", rt::Font{.bold = true}, kScanCaptionColor))
        .onClick = [this] { StartManualScan(); };
    add({.kind = Kind::TextBox, .name = "txtPath2", .left = 3960, .top = 1800, .width = 4695, .height = 285,
         .text = kManualDefaultTarget, .visible = false, .enabled = false});

    // The folder-browse panel.
    add({.kind = Kind::Picture, .name = "PicNewClVen", .left = 10920, .top = 960, .width = 3735, .height = 5895,
         .visible = false, .border = 1});
    const std::string current = rt::app().sys().files.currentFolder();
    add({.kind = Kind::DriveList, .name = "DriveX1", .container = "PicNewClVen", .left = 240, .top = 360,
         .width = 3315, .height = 315, .text = current.size() >= 2 ? driveText(current[0]) : "c:"})
        .onChange = [this] { BrowseDriveChanged(); };
    add({.kind = Kind::FolderList, .name = "Dir1", .container = "PicNewClVen", .left = 240, .top = 720,
         .width = 3315, .height = 4590, .text = current})
        .onClick = [this] { BrowseFolderPicked(); };
    add({.kind = Kind::Button, .name = "cmdOK", .container = "PicNewClVen", .left = 2520, .top = 5400,
         .width = 975, .height = 375, .text = "OK"})
        .onClick = [this] { AcceptBrowsedFolder(); };
    add({.kind = Kind::Label, .name = "lblBrowClos", .container = "PicNewClVen", .left = 3120, .top = 45,
         .width = 390, .height = 195, .text = "Close", .foreColor = kLinkBlue, .transparent = true,
         .mousePointer = kCustomPointer})
        .onClick = [this] { CloseBrowsePanel(); };
    add({.kind = Kind::Label, .name = "lblMode3", .container = "PicNewClVen", .left = 120, .top = 45,
         .width = 645, .height = 195, .text = "Look in", .transparent = true, .font = {.bold = true}});

    // The progress strip with its moving image and the abort picture.
    add({.kind = Kind::Picture, .name = "picPrgrs1", .left = 240, .top = 2280, .width = 2055, .height = 325,
         .visible = false, .picture = "scan_strip", .toolTip = "Scaning Progress"});
    add({.kind = Kind::Image, .name = "Image1", .container = "picPrgrs1", .width = 540, .height = 345,
         .visible = false, .picture = "scan_image", .toolTip = "Scaning Progress"});
    add({.kind = Kind::Picture, .name = "cmdabort", .container = "picPrgrs1", .left = 720, .top = 60,
         .width = 385, .height = 200, .picture = "scan_abort", .toolTip = "Stop Scanning"})
        .onClick = [this] { AbortScan(); };
    addTimer("tmrProg", 120, false).onTimer = [this] { AnimateScanProgress(); };
    add({.kind = Kind::Picture, .name = "picPrgrsR", .left = 240, .top = 2700, .width = 2055, .height = 195,
         .visible = false});
    add({.kind = Kind::Picture, .name = "picPrgrs", .container = "picPrgrsR", .width = 2055, .height = 195,
         .backColor = 0x008000});
    add({.kind = Kind::Label, .name = "lblAutoCln", .left = 240, .top = 2940, .width = 2055, .height = 195,
         .transparent = true});
    // A second drive list that the page keeps hidden.
    add({.kind = Kind::DriveList, .name = "Drive1", .left = 240, .top = 3000, .width = 2055, .height = 315,
         .visible = false});

    // The counters above the results grid.
    add({.kind = Kind::Label, .name = "lblScnRslt", .container = "picScan", .left = 120, .top = 60,
         .width = 1200, .height = 195, .text = "Scan Result", .transparent = true, .font = {.bold = true}});
    add({.kind = Kind::Label, .name = "lblInfHd", .container = "picScan", .left = 2100, .top = 60,
         .width = 1680, .height = 195, .text = "Risky Objects Found", .transparent = true});
    add({.kind = Kind::Label, .name = "lblInfected", .container = "picScan", .left = 3840, .top = 60,
         .width = 1020, .height = 195, .text = "Risky Files", .transparent = true});
    add({.kind = Kind::Label, .name = "lblCntHd", .container = "picScan", .left = 4980, .top = 60,
         .width = 1080, .height = 195, .text = "Files Scanned", .transparent = true});
    add({.kind = Kind::Label, .name = "lblCount", .container = "picScan", .left = 6120, .top = 60,
         .width = 1320, .height = 195, .text = "Tot", .transparent = true});

    // The status panel of the scan results.
    add({.kind = Kind::Picture, .name = "picCncMsg", .left = 120, .top = 5820, .width = 2535, .height = 735,
         .visible = false, .backColor = 0xE0E0E0, .border = 1});
    add({.kind = Kind::Label, .name = "lblCncMsg", .container = "picCncMsg", .left = 60, .top = 60,
         .width = 2415, .height = 615, .transparent = true});
}

}  // namespace tavlo::core
