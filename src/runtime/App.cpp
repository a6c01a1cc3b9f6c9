#include "runtime/App.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tavlo::rt {

namespace {
App* current = nullptr;
}

std::string Version::text() const {
    return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

// A line is 1.18 times the font's size high, a character on average half
// the size wide, a tenth wider in bold; one point is 20 twips.
Extent Ui::textSize(const Font& font, const std::string& text) {
    std::size_t lines = 1, longest = 0, current = 0;
    for (char ch : text) {
        if (ch == '\n') {
            ++lines;
            current = 0;
        } else if (ch != '\r') {
            longest = std::max(longest, ++current);
        }
    }
    const double points = font.size * 20.0;
    const double perChar = points * (font.bold ? 0.55 : 0.5);
    return Extent{static_cast<Twips>(std::lround(perChar * static_cast<double>(longest))),
                  static_cast<Twips>(std::lround(points * 1.18 * static_cast<double>(lines)))};
}

App::App(Ui& ui, Clock& clock, platform::Services& sys) : ui_(ui), clock_(clock), sys_(sys) {}

// Windows unload before the app goes, so that their timers and views let go
// while the clock and the user interface still exist.
App::~App() {
    for (auto& [type, form] : forms_) {
        try {
            if (form) form->unload();
        } catch (...) {
            // A handler failing while the program goes away has nobody to tell.
        }
    }
    forms_.clear();
}

void App::setScreenPointer(int p) {
    screenPointer_ = p;
    ui_.setScreenPointer(p);
}

int App::msgBox(const std::string& prompt, int style, const std::string& title) {
    return ui_.msgBox(prompt, style, title.empty() ? this->title : title);
}

std::optional<std::string> App::inputBox(const std::string& prompt, const std::string& title,
                                         const std::string& initial) {
    return ui_.inputBox(prompt, title.empty() ? this->title : title, initial);
}

std::vector<Form*> App::forms() const {
    std::vector<Form*> all;
    for (auto& [type, form] : forms_) all.push_back(form.get());
    return all;
}

App& app() {
    if (!current) throw std::logic_error("no program is running");
    return *current;
}

bool hasApp() { return current != nullptr; }

AppScope::AppScope(Ui& ui, Clock& clock, platform::Services& sys) : previous_(current) {
    app_ = std::make_unique<App>(ui, clock, sys);
    current = app_.get();
}

AppScope::~AppScope() {
    app_.reset();
    current = previous_;
}

}  // namespace tavlo::rt
