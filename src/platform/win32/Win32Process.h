// The process's end and its environment.
#pragma once

#include "platform/Services.h"

namespace tavlo::platform::win32 {

class Win32Process : public Process {
public:
    [[noreturn]] void end(int code) override;
};

class Win32Environment : public Environment {
public:
    // The variable's value; "" when it is not set.
    std::string variable(const std::string& name) override;
    // Under Wine, the host's path of the Windows path (what the SQLite ODBC
    // driver opens); on Windows, and when Wine cannot map it, the path itself.
    std::string driverPath(const std::string& windowsPath) override;
};

}  // namespace tavlo::platform::win32
