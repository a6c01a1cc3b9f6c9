// One headless program for the online tests: the fakes, with an HTTP fake that
// lets a test act while a request is under way; made-up window handles; the
// server named with a trailing "/"; version 1.0.5 on the computer "desk-42";
// the main window loaded with every other window's timers held.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "core/Frm0.h"
#include "online/Email.h"
#include "online/FrmPopUp.h"
#include "online/Server.h"
#include "online/TextRules.h"
#include "platform/fake/FakeServices.h"
#include "runtime/Headless.h"

namespace tavlo::online::testing {

inline constexpr rt::Color kBlue = 0xFF0000, kRed = 0x0000FF, kGrey = 0xE0E0E0, kWhite = 0xFFFFFF;
inline const std::string kServer = "http://127.0.0.1:8080";

class ProbeHttp : public platform::fake::FakeHttp {
public:
    std::optional<std::string> get(const std::string& url, int timeoutMs) override {
        if (during) during();
        return FakeHttp::get(url, timeoutMs);
    }
    std::function<void()> during;
};

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
        ui.windowHandles = true;
        sys.env.variables[kServerVariable] = kServer + "/";
        sys.env.variables["COMPUTERNAME"] = "desk-42";
        scope.app().version = {1, 0, 5};
        w.load();
        for (rt::Form* form : scope.app().forms()) {
            if (!form->loaded()) continue;
            for (auto& control : form->controls()) {
                if (auto* t = dynamic_cast<rt::Timer*>(control.get())) t->setEnabled(false);
            }
        }
    }

    rt::Control& c(const std::string& name) { return w.c(name); }
    FrmPopUp& notice() { return frmPopUp(); }
    std::string status() { return c("lblCncMsg").caption(); }
    // Moves the clock to the given time since the test began.
    void at(long long ms) { clock.advance(ms - clock.now()); }
    void fill(const std::string& friendName, const std::string& friendMail, const std::string& comment,
              const std::string& name, const std::string& mail) {
        const std::string* texts[] = {&friendName, &friendMail, &comment, &name, &mail};
        int i = 0;
        for (const char* field : {"txtFrndNm", "txtFrndEM", "txtCommnt", "txtName2", "txtmail2"})
            c(field).setText(*texts[i++]);
    }
};

}  // namespace tavlo::online::testing
