// A whole program without windows: the headless user interface, a manual
// clock and the fake services, installed as the running app for a test.
#pragma once

#include "platform/fake/FakeServices.h"
#include "runtime/Headless.h"

namespace tavlo::platform::fake {

struct HeadlessApp {
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    FakeSystem sys;
    rt::AppScope scope{ui, clock, sys.services};
    rt::App& app() { return scope.app(); }
    // The windows still loaded unload as the scope ends, and may ask questions
    // then: those take their first button, not a test's handler, whose
    // captures have gone by then.
    ~HeadlessApp() { ui.onMsgBox = nullptr; }
};

}  // namespace tavlo::platform::fake
