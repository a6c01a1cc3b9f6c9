// The program's services on the real system, one bundle for main_win.cpp.
// (A minimal first version: files and drives are real, the other services
// do nothing yet.)
#pragma once

#include <memory>

#include "platform/Services.h"
#include "runtime/App.h"

namespace tavlo::platform::win32 {

struct Win32System {
    Win32System();
    ~Win32System();
    struct Parts;
    std::unique_ptr<Parts> parts;
    platform::Services services;

    // The version of the running program's file.
    rt::Version version() const;
};

std::unique_ptr<Win32System> makeWin32System();

}  // namespace tavlo::platform::win32
