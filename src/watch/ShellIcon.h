// The notification-area icon: one icon in the tray, added, changed and
// removed through the shell, the tray's mouse callbacks turned into events,
// single and double left clicks told apart by a timer, and a window's
// system menu shown at the mouse. The host form owns one and drives its
// life cycle: Initialize and ReadProperties as it loads, Terminate as it
// unloads; its window passes the icon's messages on (windowMessage).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Services.h"
#include "runtime/Form.h"

namespace tavlo::watch {

// The properties a host form stores for its tray icon: keys and their texts.
// Integer booleans are stored as "-1" and "0".
class PropertyBag {
public:
    // The text of a key, or the default when the key is absent.
    std::string read(const std::string& key, const std::string& fallback) const;
    // Stores a key, each written once, unless its value equals its default.
    void write(const std::string& key, const std::string& value, const std::string& fallback);

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

class ShellIcon {
public:
    // The notification record: icon number 1, with message, icon and tip
    // (flags 7), calling back with WM_MOUSEMOVE whose X carries the tray's
    // mouse message.
    static constexpr std::uint32_t kIconId = 1;
    static constexpr std::uint32_t kFlags = 7;
    static constexpr unsigned kCallbackMessage = 512;
    static constexpr std::size_t kTipLength = 64;
    static constexpr int kSingleClickMs = 500;

    explicit ShellIcon(rt::Form& host);
    ShellIcon(const ShellIcon&) = delete;
    ShellIcon& operator=(const ShellIcon&) = delete;

    // Life cycle.
    void Initialize();
    void ReadProperties(const PropertyBag& bag);
    void Terminate();

    // The 64-character tip field: the text, a zero character, blanks.
    const std::string& ToolTipText() const { return record_.tip; }
    void setToolTipText(const std::string& text);
    const rt::Picture& Icon() const { return picture_; }
    void setIcon(const rt::Picture& picture);
    short Visible() const { return visible_; }
    void setVisible(short show);
    short SysMenu() const { return sysMenu_; }
    void setSysMenu(short on) { sysMenu_ = on; }
    // Shows a window's system menu at the mouse (the host's when 0); returns
    // when the menu closes.
    void ShowSysMenu(rt::Handle hWnd = 0);
    // Takes the icon out of the tray, whether or not it is in it.
    void Remove();

    // The tray's callback, X being the mouse message number.
    void TrayCallback(int x);
    // A message of the host's window: the tray callback, or the shell's
    // restart ("TaskbarCreated"), after which an icon that was in the tray
    // is added again. Returns true when the message was the icon's.
    bool windowMessage(unsigned msg, std::uintptr_t wParam, std::intptr_t lParam);

    // The text a tip is sent as: the text and a zero character, filled with
    // blanks to 64 characters; a text of 64 characters or more is cut to 64.
    static std::string tipField(const std::string& text);

    // Events; Button 1 is the left button, 2 the right one.
    std::function<void()> onMouseMove;
    std::function<void(int button)> onMouseDown;
    std::function<void(int button)> onMouseUp;
    std::function<void(int button)> onDblClick;
    std::function<void(int button)> onClick;
    std::function<void(int button)> onSingleClick;

private:
    void ShowIcon(short show);
    void send(platform::Tray::Message message);
    void tmrMenuTick();
    static void raise(const std::function<void(int)>& event, int button);

    rt::Form& host_;
    rt::Timer tmrMenu_;
    rt::Picture picture_;
    short visible_ = rt::False;
    short sysMenu_ = rt::True;
    short added_ = rt::False;
    unsigned shellRestart_ = 0;
    platform::TrayIconData record_;
};

}  // namespace tavlo::watch
