// The window model without windows, for tests: timers fire as the test
// advances a clock, message boxes and input boxes are answered from a script
// and recorded, the yield runs a hook the test sets.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "runtime/App.h"

namespace tavlo::rt {

class ManualClock : public Clock {
public:
    void start(Timer& timer, int intervalMs) override;
    void stop(Timer& timer) override;
    // Moves time forward, firing every due tick in time order.
    void advance(long long ms);
    long long now() const { return now_; }
    bool running(const Timer& timer) const { return due_.count(const_cast<Timer*>(&timer)) != 0; }

private:
    struct Due { long long at; int interval; long long order; };
    std::map<Timer*, Due> due_;
    long long now_ = 0;
    long long order_ = 0;
};

struct DialogRecord {
    std::string kind;  // "msgbox", "inputbox", "menu", "modal"
    std::string prompt;
    int style = 0;
    std::string title;
};

class HeadlessUi : public Ui {
public:
    void attach(Form& form) override;
    void detach(Form&) override {}
    int msgBox(const std::string& prompt, int style, const std::string& title) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;
    void doEvents() override;
    void runModal(Form& form) override;
    void popupMenu(Form& form, Control& menu) override;
    Picture loadPicture(const std::string& resource) override;
    Twips screenWidth() override { return screenWidth_; }
    Twips screenHeight() override { return screenHeight_; }
    void setScreenPointer(int pointer) override { pointers.push_back(pointer); }

    // Answers for the next message boxes, in order; without one a box is
    // answered with its first button (OK, Abort, Yes).
    std::deque<int> answers;
    std::deque<std::optional<std::string>> inputs;
    std::vector<DialogRecord> dialogs;
    std::vector<int> pointers;
    // Runs at every yield; a test uses it to act in the middle of a scan.
    std::function<void()> onDoEvents;
    // Runs while a modal form is shown; without it the modal show returns at once.
    std::function<void(Form&)> onModal;
    // Runs while a message box is up, before it is answered; a test uses it to
    // let timers fire as they do in the system's modal loop of a message box.
    std::function<void(const DialogRecord&)> onMsgBox;
    std::function<void(Form&, Control&)> onPopupMenu;
    int doEventsCount = 0;
    // When true, every load gives the form made-up window handles, new ones
    // per load (the form's, and one per control after it), so that a test
    // can follow windows through the system calls made with their handles.
    bool windowHandles = false;
    Twips screenWidth_ = 15360, screenHeight_ = 11520;  // 1024 x 768 pixels

    // The prompts of the message boxes shown so far.
    std::vector<std::string> prompts() const;

private:
    Handle nextPicture_ = 0x1000;
    Handle nextWindow_ = 0;
};

}  // namespace tavlo::rt
