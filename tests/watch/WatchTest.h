// The watch area's fixture: a headless program with real settings and ignore
// databases, made-up window handles to follow through the system calls, the
// main window loaded with its settings, the watch on and the small alert chosen.
#pragma once

#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "core/StoreFixture.h"
#include "watch/Frm1.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"
#include "watch/ZManu.h"

namespace tavlo::watch {

using Texts = std::vector<std::string>;
using Sent = std::vector<platform::Tray::Message>;
using core::frm0;

struct WatchTest : tavlo::testing::StoreTest {
    core::Globals& g = core::globals();

    WatchTest() {
        makeConf();
        makeIgnore();
        h.ui.windowHandles = true;
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) core::frmSplash().timer(t).setEnabled(false);
        core::frmSplash().ConfigurationLoaded = rt::True;
        frm0().load();
        h.clock.advance(20);
        g.UsbWatchEnabled = rt::True;
        g.NotifyFullDesktop = rt::False;
        h.sys.windows.calls.clear();
        h.ui.dialogs.clear();
    }
    static std::string id(rt::Form& f) { return std::to_string(f.hWnd()); }
    // The window calls made so far that start with the text.
    Texts calls(const std::string& start) const {
        Texts found;
        for (const auto& call : h.sys.windows.calls)
            if (call.rfind(start, 0) == 0) found.push_back(call);
        return found;
    }
    Sent sent() const {
        Sent all;
        for (const auto& call : h.sys.tray.calls) all.push_back(call.message);
        return all;
    }
    // A stick with one risky file, which keeps the alerts open after its scan.
    void plug(char letter) {
        h.sys.files.setDrive(letter, platform::DriveType::Removable);
        h.sys.files.addFile(std::string(1, letter) + ":\\autorun.inf", 40);
    }
    // The shell's callback with a tray mouse message, as frm1's window gets it.
    void tray(int mouseMessage) { frm1().message(512, 1, mouseMessage); }
    // The next window call that starts with the text fails, and is reported.
    void failOnce(const std::string& start) {
        h.sys.windows.onCall = [start, armed = true](const std::string& call) mutable {
            if (!armed || call.rfind(start, 0) != 0) return;
            armed = false;
            throw rt::Error("Access denied");
        };
    }
    void expectErrorReport() {
        ASSERT_EQ(h.ui.prompts(), Texts{"Access denied"});
        EXPECT_EQ(h.ui.dialogs[0].style, 18);
        EXPECT_EQ(h.ui.dialogs[0].title, "An Error Occured");
    }
};

}  // namespace tavlo::watch
