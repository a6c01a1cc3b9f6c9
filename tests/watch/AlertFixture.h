// A headless program for the alert windows: real settings and ignore
// databases (the main window's settings load reads them), made-up window
// handles to follow through the system calls, and the splash, which the main
// window loads for its icon, kept still.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/FrmSplash.h"
#include "core/StoreFixture.h"

namespace tavlo::watch::testing {

using Calls = std::vector<std::string>;

struct AlertTest : tavlo::testing::StoreTest {
    AlertTest() {
        makeConf();
        makeIgnore();
        h.ui.windowHandles = true;
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) core::frmSplash().timer(t).setEnabled(false);
        h.sys.windows.calls.clear();
    }
    static std::string id(rt::Handle handle) { return std::to_string(handle); }
    // The window calls made with one of the handles as their first argument.
    Calls callsOn(std::initializer_list<rt::Handle> handles) const {
        Calls found;
        for (const auto& call : h.sys.windows.calls) {
            const auto first = call.find(' ');
            const auto end = call.find(' ', first + 1);
            const std::string handle = call.substr(first + 1, end - first - 1);
            if (std::any_of(handles.begin(), handles.end(), [&](rt::Handle x) { return id(x) == handle; }))
                found.push_back(call);
        }
        return found;
    }
    Calls callsStartingWith(const std::string& prefix) const {
        Calls found;
        for (const auto& call : h.sys.windows.calls)
            if (call.rfind(prefix, 0) == 0) found.push_back(call);
        return found;
    }
};

}  // namespace tavlo::watch::testing
