// The hidden window that keeps the program's start-up entry: appending to
// txtStrtup writes the Run value "Tavlo.exe" under HKEY_LOCAL_MACHINE.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/App.h"

namespace tavlo::core {

class ZStrtup : public rt::Form {
public:
    ZStrtup();

    static constexpr const char* kRunKey = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
    static constexpr const char* kValueName = "Tavlo.exe";
    static constexpr std::uint32_t kAccess = 0x3F;  // query, set, create-subkey, enumerate, notify, create-link
    static constexpr long kRegSz = 1;

    void ApplyStartupEntry();
    void AddStartupEntry(const std::string& valueName);
    // Opens the key (never creates it), writes the value, closes the key.
    // Every failure is silent.
    void WriteRegValue(std::uint32_t root, const std::string& subKey, const std::string& valueName,
                       const std::string& value, long type);
    // Writes one value into an open key; returns the system's status code.
    long SetRegValue(rt::Handle key, const std::string& valueName, long type, const std::string& value);

protected:
    rt::FormDesign formDesign() override;
    void buildControls() override;
};

ZStrtup& zStrtup();

}  // namespace tavlo::core
