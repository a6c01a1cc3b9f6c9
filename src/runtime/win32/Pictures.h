// The program's artwork: BITMAP (or ICON) resources of the exe, loaded once
// per name. Two loads of one name give the same handle, so a picture copied
// between controls compares equal to a fresh load of its name.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "runtime/Control.h"
#include "runtime/win32/Handles.h"

namespace tavlo::rt::win32 {

class Pictures {
public:
    // The artwork of a module; by default of the exe.
    explicit Pictures(HMODULE module = nullptr) : module_(module) {}
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // An empty picture (handle 0) when the exe holds no such resource.
    Picture load(const std::string& resource);

private:
    HMODULE module() const { return module_ ? module_ : GetModuleHandleW(nullptr); }
    struct Entry {
        std::string name;  // as first asked for
        UniqueBitmap bitmap;
        UniqueIcon icon;
    };
    HMODULE module_;
    std::map<std::string, Entry> byName_;  // names in upper case, as resources match
};

}  // namespace tavlo::rt::win32
