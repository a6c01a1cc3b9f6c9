#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace tavlo::platform::win32 {

namespace {

HKEY toKey(Handle h) { return reinterpret_cast<HKEY>(h); }

// The predefined keys are sign-extended 32-bit values (0x80000002 ...).
HKEY hiveKey(std::uint32_t hive) {
    return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(hive)));
}

}  // namespace

void RegistryKeyTraits::close(Handle key) { RegCloseKey(toKey(key)); }

long Win32Registry::open(std::uint32_t hive, const std::string& subKey, std::uint32_t access, Handle& key) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(hiveKey(hive), toAnsi(subKey).c_str(), 0, access, &opened);
    if (status != ERROR_SUCCESS) return status;
    key = reinterpret_cast<Handle>(opened);
    open_[key].reset(key);
    return status;
}

long Win32Registry::setString(Handle key, const std::string& name, const std::string& value) {
    const std::string text = toAnsi(value);
    return RegSetValueExA(toKey(key), toAnsi(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

long Win32Registry::close(Handle key) {
    auto it = open_.find(key);
    if (it == open_.end()) return ERROR_INVALID_HANDLE;
    const Handle owned = it->second.release();
    open_.erase(it);
    return RegCloseKey(toKey(owned));
}

}  // namespace tavlo::platform::win32
