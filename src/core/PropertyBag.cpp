#include "core/PropertyBag.h"

#include "runtime/App.h"

namespace tavlo::core {

void PropertyBag::write(const std::string& key, const Value& value, const Value& fallback) {
    if (value == fallback) return;
    entries_.emplace_back(key, value);
}

const PropertyBag::Value* PropertyBag::find(const std::string& key) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
        if (it->first == key) return &it->second;
    }
    return nullptr;
}

// A value of another type than asked for counts as missing.
template <class T>
T PropertyBag::read(const std::string& key, const T& fallback) const {
    const Value* v = find(key);
    if (!v || !std::holds_alternative<T>(*v)) return fallback;
    return std::get<T>(*v);
}

std::string PropertyBag::readText(const std::string& key, const std::string& fallback) const {
    return read<std::string>(key, fallback);
}

rt::Color PropertyBag::readColor(const std::string& key, rt::Color fallback) const {
    return read<rt::Color>(key, fallback);
}

rt::Font PropertyBag::readFont(const std::string& key, const rt::Font& fallback) const {
    return read<rt::Font>(key, fallback);
}

std::optional<rt::Picture> PropertyBag::readPicture(const std::string& key) const {
    const Value* v = find(key);
    if (!v || !std::holds_alternative<rt::Picture>(*v)) return std::nullopt;
    const rt::Picture& saved = std::get<rt::Picture>(*v);
    if (saved.resource.empty()) return saved;
    return rt::app().ui().loadPicture(saved.resource);
}

}  // namespace tavlo::core
