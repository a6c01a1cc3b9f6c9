// A headless program for the online tests: the fakes, with an HTTP fake that
// lets a test look at the windows while a request is under way; the server
// set to a local address; the version 1.0.5; the main window loaded with
// every other window's timers held, so that only the notice's timers run.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "core/Frm0.h"
#include "online/FrmPopUp.h"
#include "online/Server.h"
#include "platform/fake/FakeServices.h"
#include "runtime/Headless.h"

namespace tavlo::online::testing {

class ProbeHttp : public platform::fake::FakeHttp {
public:
    std::optional<std::string> get(const std::string& url, int timeoutMs) override {
        if (during) during();
        return FakeHttp::get(url, timeoutMs);
    }
    std::function<void()> during;
};

inline constexpr const char* kServer = "http://127.0.0.1:8080";
inline constexpr const char* kVersionUrl = "http://127.0.0.1:8080/version/latest.php";

class OnlineTest : public ::testing::Test {
protected:
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    platform::fake::FakeSystem sys;
    ProbeHttp http;
    platform::Services services{sys.files, sys.registry, http, sys.shell, sys.tray, sys.windows, sys.process, sys.env};
    rt::AppScope scope{ui, clock, services};
    core::Frm0& w = core::frm0();

    void SetUp() override {
        sys.env.variables[kServerVariable] = kServer;
        scope.app().version = {1, 0, 5};
        w.load();
        holdTimersOfOtherWindows();
    }

    void holdTimersOfOtherWindows() {
        for (rt::Form* form : scope.app().forms()) {
            if (form->name() == "frmPopUp" || !form->loaded()) continue;
            for (auto& control : form->controls()) {
                if (auto* t = dynamic_cast<rt::Timer*>(control.get())) t->setEnabled(false);
            }
        }
    }

    rt::Control& c(const std::string& name) { return w.c(name); }
    FrmPopUp& notice() { return frmPopUp(); }
    bool noticeOpen() { return notice().loaded() && notice().visible(); }
    std::vector<std::string> prompts() const { return ui.prompts(); }
};

}  // namespace tavlo::online::testing
