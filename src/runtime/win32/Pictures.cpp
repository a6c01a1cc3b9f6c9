#include "runtime/win32/Pictures.h"

#include <algorithm>
#include <cctype>

#include "runtime/win32/Text.h"

namespace tavlo::rt::win32 {

static std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

Picture Pictures::load(const std::string& resource) {
    if (resource.empty()) return {};
    const std::string key = upper(resource);
    auto it = byName_.find(key);
    if (it == byName_.end()) {
        const std::wstring name = widen(resource);
        Entry e;
        e.name = resource;
        e.bitmap.reset(static_cast<HBITMAP>(
            LoadImageW(module(), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!e.bitmap) {
            e.icon.reset(static_cast<HICON>(
                LoadImageW(module(), name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
        }
        it = byName_.emplace(key, std::move(e)).first;
    }
    const Entry& e = it->second;
    const Handle h = e.bitmap ? reinterpret_cast<Handle>(e.bitmap.get()) : reinterpret_cast<Handle>(e.icon.get());
    if (!h) return {};
    return Picture{h, e.name};
}

}  // namespace tavlo::rt::win32
