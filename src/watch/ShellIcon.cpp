#include "watch/ShellIcon.h"

#include "runtime/App.h"

namespace tavlo::watch {

using rt::False;
using rt::True;

namespace {

// The tray's mouse messages, as the callback carries them.
enum TrayMouse {
    kMouseMove = 512, kLeftDown = 513, kLeftUp = 514, kLeftDouble = 515,
    kRightDown = 516, kRightUp = 517, kRightDouble = 518
};

short boolValue(const std::string& text) { return text == "0" ? False : True; }

rt::ControlDesign tmrMenuDesign() {
    rt::ControlDesign d;
    d.kind = rt::Kind::Timer;
    d.name = "tmrMenu";
    d.interval = ShellIcon::kSingleClickMs;
    d.enabled = false;
    d.visible = false;
    return d;
}

}  // namespace

std::string PropertyBag::read(const std::string& key, const std::string& fallback) const {
    for (auto& [k, v] : entries_) {
        if (k == key) return v;
    }
    return fallback;
}

void PropertyBag::write(const std::string& key, const std::string& value, const std::string& fallback) {
    if (value == fallback) return;
    entries_.emplace_back(key, value);
}

ShellIcon::ShellIcon(rt::Form& host) : host_(host), tmrMenu_(host, tmrMenuDesign()) {
    tmrMenu_.onTimer = [this] { tmrMenuTick(); };
    record_.tip = tipField("");
}

std::string ShellIcon::tipField(const std::string& text) {
    std::string field = text;
    field.push_back('\0');
    if (field.size() >= kTipLength) {
        field.resize(kTipLength);
    } else {
        field.append(kTipLength - field.size(), ' ');
    }
    return field;
}

// Fills the record for the host's window; the icon is not in the tray yet.
void ShellIcon::Initialize() {
    record_.hWnd = host_.hWnd();
    record_.id = kIconId;
    record_.flags = kFlags;
    record_.callbackMessage = kCallbackMessage;
    shellRestart_ = rt::app().sys().windows.registerMessage("TaskbarCreated");
}

// The icon goes into the tray at load whatever Visible holds: ShowIcon adds
// an icon that is not in the tray with any value.
void ShellIcon::ReadProperties(const PropertyBag& bag) {
    record_.tip = tipField(bag.read("ToolTipText", ""));
    const std::string icon = bag.read("Icon", "");
    picture_ = icon.empty() ? rt::Picture{} : rt::app().ui().loadPicture(icon);
    visible_ = boolValue(bag.read("Visible", "0"));
    sysMenu_ = boolValue(bag.read("SysMenu", "-1"));
    record_.icon = picture_.handle;
    ShowIcon(visible_);
}

void ShellIcon::Terminate() {
    tmrMenu_.setEnabled(false);
    if (added_) ShowIcon(False);
}

void ShellIcon::setToolTipText(const std::string& text) {
    record_.tip = tipField(text);
    if (added_) send(platform::Tray::Modify);
}

void ShellIcon::setIcon(const rt::Picture& picture) {
    picture_ = picture;
    record_.icon = picture.handle;
    if (added_) send(platform::Tray::Modify);
}

void ShellIcon::setVisible(short show) {
    visible_ = show;
    ShowIcon(show);
}

// Not in the tray: added, whatever Show holds. In the tray and Show False:
// taken out. The result of the shell's call plays no part.
void ShellIcon::ShowIcon(short show) {
    if (!added_) {
        send(platform::Tray::Add);
        added_ = True;
    } else if (!show) {
        send(platform::Tray::Delete);
        added_ = False;
    }
}

void ShellIcon::Remove() {
    send(platform::Tray::Delete);
    added_ = False;
}

void ShellIcon::send(platform::Tray::Message message) {
    rt::app().sys().tray.notify(message, record_);
}

void ShellIcon::ShowSysMenu(rt::Handle hWnd) {
    if (hWnd == 0) hWnd = host_.hWnd();
    auto& windows = rt::app().sys().windows;
    const platform::Point at = windows.cursorPos();
    windows.trackSystemMenu(hWnd, at);
}

void ShellIcon::raise(const std::function<void(int)>& event, int button) {
    if (event) event(button);
}

// Each left release switches tmrMenu: after a single click it runs and
// raises SingleClick 500 ms later; the second release of a double click
// stops it again.
void ShellIcon::TrayCallback(int x) {
    switch (x) {
    case kMouseMove:
        if (onMouseMove) onMouseMove();
        break;
    case kLeftDown: raise(onMouseDown, rt::LeftButton); break;
    case kLeftUp:
        raise(onMouseUp, rt::LeftButton);
        raise(onClick, rt::LeftButton);
        tmrMenu_.setEnabled(!tmrMenu_.enabled());
        break;
    case kLeftDouble: raise(onDblClick, rt::LeftButton); break;
    case kRightDown: raise(onMouseDown, rt::RightButton); break;
    case kRightUp:
        if (sysMenu_) {
            ShowSysMenu(0);
        } else {
            raise(onMouseUp, rt::RightButton);
            raise(onClick, rt::RightButton);
        }
        break;
    case kRightDouble: raise(onDblClick, rt::RightButton); break;
    default: break;
    }
}

void ShellIcon::tmrMenuTick() {
    tmrMenu_.setEnabled(false);
    raise(onSingleClick, rt::LeftButton);
}

// The shell sends the callback with the mouse message in the low word of
// lParam. When the shell restarts, its tray starts empty: the icon that
// was in it is added again so that the program stays within reach.
bool ShellIcon::windowMessage(unsigned msg, std::uintptr_t, std::intptr_t lParam) {
    if (msg == kCallbackMessage) {
        TrayCallback(static_cast<int>(lParam & 0xFFFF));
        return true;
    }
    if (shellRestart_ != 0 && msg == shellRestart_) {
        if (added_) send(platform::Tray::Add);
        return true;
    }
    return false;
}

}  // namespace tavlo::watch
