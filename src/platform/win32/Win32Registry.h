// The registry through its ANSI calls. Each key opened here is owned here until
// close() gives it back, so a key the caller forgets is still closed with this object.
#pragma once

#include <map>

#include "platform/Services.h"
#include "platform/UniqueHandle.h"

namespace tavlo::platform::win32 {

struct RegistryKeyTraits {
    using type = Handle;
    static type invalid() { return 0; }
    static void close(type key);
};

class Win32Registry : public Registry {
public:
    long open(std::uint32_t hive, const std::string& subKey, std::uint32_t access, Handle& key) override;
    // A REG_SZ value in the ANSI code page, its size counting the terminating zero.
    long setString(Handle key, const std::string& name, const std::string& value) override;
    long close(Handle key) override;

private:
    std::map<Handle, UniqueHandle<RegistryKeyTraits>> open_;
};

}  // namespace tavlo::platform::win32
