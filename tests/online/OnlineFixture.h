// A headless program: fakes, made-up handles, the server with a trailing "/", 1.0.5 on "desk-42", timers held.
#pragma once

#include <gtest/gtest.h>

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

struct ProbeHttp : platform::fake::FakeHttp {
    std::function<void()> during;  // runs while a request is under way
    std::optional<std::string> get(const std::string& url, int timeoutMs) override {
        if (during) during();
        return FakeHttp::get(url, timeoutMs);
    }
};

struct OnlineTest : ::testing::Test {
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    platform::fake::FakeSystem sys;
    ProbeHttp http;
    platform::Services services{sys.files, sys.registry, http, sys.shell, sys.tray, sys.windows, sys.process, sys.env};
    rt::AppScope scope{ui, clock, services};
    core::Frm0& w = core::frm0();

    void SetUp() override {
        ui.windowHandles = true;
        sys.env.variables = {{kServerVariable, kServer + "/"}, {"COMPUTERNAME", "desk-42"}};
        scope.app().version = {1, 0, 5};
        w.load();
        for (rt::Form* form : scope.app().forms())
            for (auto& control : form->controls())
                if (auto* t = dynamic_cast<rt::Timer*>(control.get())) t->setEnabled(false);
    }
    rt::Control& c(const std::string& name) { return w.c(name); }
    FrmPopUp& notice() { return frmPopUp(); }
    void fill(const std::array<std::string, 5>& texts) {  // the panel's fields, checked in this order
        const char* fields[] = {"txtFrndNm", "txtFrndEM", "txtCommnt", "txtName2", "txtmail2"};
        for (int i = 0; i < 5; ++i) c(fields[i]).setText(texts[i]);
    }
};

}  // namespace tavlo::online::testing
