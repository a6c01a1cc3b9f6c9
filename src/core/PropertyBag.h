// The saved properties of a control in its host window's layout: named
// values (texts, colours, pictures, fonts) written in order and read back
// with a default for a missing key. A value equal to its default is not
// stored. A saved picture keeps its artwork's name: reading it loads that
// artwork again, as a new picture with a handle of its own.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "runtime/Control.h"

namespace tavlo::core {

class PropertyBag {
public:
    using Value = std::variant<std::string, rt::Color, rt::Picture, rt::Font>;

    // Stores the value under the key unless it equals the default. Every
    // write is kept in order, a key written again included.
    void write(const std::string& key, const Value& value, const Value& fallback);

    // The value last written under the key, or the default.
    std::string readText(const std::string& key, const std::string& fallback) const;
    rt::Color readColor(const std::string& key, rt::Color fallback) const;
    rt::Font readFont(const std::string& key, const rt::Font& fallback) const;
    // Nothing when the key is missing.
    std::optional<rt::Picture> readPicture(const std::string& key) const;

private:
    const Value* find(const std::string& key) const;
    template <class T>
    T read(const std::string& key, const T& fallback) const;

    std::vector<std::pair<std::string, Value>> entries_;
};

}  // namespace tavlo::core
