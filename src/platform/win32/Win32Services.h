// The program's services on the real system, one bundle for main_win.cpp:
//   auto system = platform::win32::makeWin32System();
//   rt::App app(ui, clock, system->services);
//   app.version = system->version();
#pragma once

#include <memory>
#include <string>

#include "platform/Services.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Http.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32Registry.h"
#include "runtime/App.h"

namespace tavlo::platform::win32 {

// The major, minor and revision numbers of a file's version block (the fixed
// file information: FileVersion's high and low words, then the high word of
// its second half); 0.0.0 when the file has none.
rt::Version fileVersion(const std::string& path);

struct Win32System {
    Win32FileSystem files;
    Win32Registry registry;
    Win32Http http;
    Win32Shell shell;
    Win32Tray tray;
    Win32Windows windows;
    Win32Process process;
    Win32Environment env;
    platform::Services services{files, registry, http, shell, tray, windows, process, env};

    // The version of the running program's file.
    rt::Version version() const;
};

std::unique_ptr<Win32System> makeWin32System();

}  // namespace tavlo::platform::win32
