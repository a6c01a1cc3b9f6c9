// The running program as the window model sees it: the user interface (views,
// dialogs, the message loop, the screen), the clock behind the timers, the
// system services, and the one global instance of each window.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <unordered_map>

#include "platform/Services.h"
#include "runtime/Form.h"

namespace tavlo::rt {

// Message box styles and answers.
enum MsgStyle {
    OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4,
    Critical = 16, Question = 32, Exclamation = 48, Information = 64
};
enum MsgAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct Version {
    int major = 0, minor = 0, revision = 0;
    // "1.4.0": the three numbers as plain decimals joined by ".".
    std::string text() const;
};

// The size a text takes on the screen.
struct Extent {
    Twips width = 0, height = 0;
};

// Runs the timers: the Win32 layer on window timers, tests on a clock they advance.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void start(Timer& timer, int intervalMs) = 0;
    virtual void stop(Timer& timer) = 0;
};

class Ui {
public:
    virtual ~Ui() = default;
    // Gives a loaded form its view (its real window); nothing when headless.
    virtual void attach(Form& form) = 0;
    virtual void detach(Form& form) = 0;
    virtual int msgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // The typed text, or nothing when the user cancelled.
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& initial) = 0;
    // Lets pending window messages and timers run (the scan's yield).
    virtual void doEvents() = 0;
    // Runs until the form is hidden or unloaded.
    virtual void runModal(Form& form) = 0;
    // Pops up a menu control's items at the mouse; returns when it closes.
    virtual void popupMenu(Form& form, Control& menu) = 0;
    virtual Picture loadPicture(const std::string& resource) = 0;
    virtual Twips screenWidth() = 0;
    virtual Twips screenHeight() = 0;
    virtual void setScreenPointer(int pointer) = 0;
    // The size of a text drawn in a font, one line per line of the text
    // (what an auto-sized label takes). Without a screen to measure on, an
    // estimate from the font's size.
    virtual Extent textSize(const Font& font, const std::string& text);
};

// Module-level state of the program's procedure modules: one instance per
// running program, created on first use, reached through App::module.
class Module {
public:
    virtual ~Module() = default;
};

class App {
public:
    App(Ui& ui, Clock& clock, platform::Services& sys);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Ui& ui() { return ui_; }
    Clock& clock() { return clock_; }
    platform::Services& sys() { return sys_; }

    std::string title = "Tavlo";
    Version version;

    // The mouse pointer shown over the whole screen.
    int screenPointer() const { return screenPointer_; }
    void setScreenPointer(int p);

    // A message box; with no title, the program's title.
    int msgBox(const std::string& prompt, int style = OkOnly, const std::string& title = {});
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title = {},
                                        const std::string& initial = {});
    void doEvents() { ui_.doEvents(); }

    // The global instance of a window, created on first use.
    template <class F>
    F& instance() {
        auto& slot = forms_[std::type_index(typeid(F))];
        if (!slot) slot = std::make_unique<F>();
        return static_cast<F&>(*slot);
    }
    // The state of a procedure module, created on first use.
    template <class M>
    M& module() {
        auto& slot = modules_[std::type_index(typeid(M))];
        if (!slot) slot = std::make_unique<M>();
        return static_cast<M&>(*slot);
    }
    // Every window instance created so far, in no particular order.
    std::vector<Form*> forms() const;

private:
    Ui& ui_;
    Clock& clock_;
    platform::Services& sys_;
    int screenPointer_ = 0;
    // Hashed: with mingw, std::type_index's ordering is not consistent for
    // classes of anonymous namespaces, and an ordered map then loses entries.
    std::unordered_map<std::type_index, std::unique_ptr<Form>> forms_;
    std::unordered_map<std::type_index, std::unique_ptr<Module>> modules_;
};

// The running program. Set by the program's entry or a test's fixture.
App& app();
bool hasApp();

// Installs an App for its lifetime.
class AppScope {
public:
    AppScope(Ui& ui, Clock& clock, platform::Services& sys);
    ~AppScope();
    App& app() { return *app_; }

private:
    std::unique_ptr<App> app_;
    App* previous_;
};

}  // namespace tavlo::rt
