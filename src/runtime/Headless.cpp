#include "runtime/Headless.h"

#include <algorithm>
#include <limits>

namespace tavlo::rt {

void ManualClock::start(Timer& timer, int intervalMs) {
    due_[&timer] = Due{now_ + intervalMs, intervalMs, order_++};
}

void ManualClock::stop(Timer& timer) { due_.erase(&timer); }

// Fires the earliest due timer first (by creation order on a tie), lets it
// reschedule, and repeats until nothing is due before the target time. A
// handler may stop, start or destroy any timer, its own included, and may
// advance the clock itself (a tick during a yield): time never goes back.
void ManualClock::advance(long long ms) {
    const long long target = now_ + ms;
    for (;;) {
        Timer* next = nullptr;
        Due best{std::numeric_limits<long long>::max(), 0, 0};
        for (auto& [timer, due] : due_) {
            if (due.at < best.at || (due.at == best.at && due.order < best.order)) {
                best = due;
                next = timer;
            }
        }
        if (!next || best.at > target) break;
        now_ = best.at;
        due_[next].at = now_ + best.interval;
        next->tick();
    }
    now_ = std::max(now_, target);
}

namespace {

// A form's made-up window handles: the form's own, and after it one per
// control in the form's order.
class HandlesView : public FormView {
public:
    HandlesView(Form& form, Handle base) : form_(form), base_(base) {}
    void changed(Form&, Prop) override {}
    Handle hWnd() const override { return base_; }
    Handle controlHWnd(const Control& control) const override {
        const auto& all = form_.controls();
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].get() == &control) return base_ + 1 + i;
        }
        return 0;
    }
    void setFocus(Control&) override {}

private:
    Form& form_;
    Handle base_;
};

}  // namespace

void HeadlessUi::attach(Form& form) {
    if (!windowHandles) return;
    nextWindow_ += 0x10000;
    form.setView(std::make_unique<HandlesView>(form, nextWindow_));
}

static int firstButton(int style) {
    switch (style & 7) {
    case AbortRetryIgnore: return Abort;
    case YesNoCancel:
    case YesNo: return Yes;
    default: return Ok;
    }
}

int HeadlessUi::msgBox(const std::string& prompt, int style, const std::string& title) {
    dialogs.push_back({"msgbox", prompt, style, title});
    if (onMsgBox) {
        const DialogRecord shown = dialogs.back();  // the hook may show further boxes
        onMsgBox(shown);
    }
    if (answers.empty()) return firstButton(style);
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> HeadlessUi::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& initial) {
    dialogs.push_back({"inputbox", prompt, 0, title});
    if (inputs.empty()) return initial;
    auto answer = inputs.front();
    inputs.pop_front();
    return answer;
}

void HeadlessUi::doEvents() {
    ++doEventsCount;
    if (onDoEvents) onDoEvents();
}

void HeadlessUi::runModal(Form& form) {
    dialogs.push_back({"modal", form.name(), 0, {}});
    if (onModal) onModal(form);
}

void HeadlessUi::popupMenu(Form& form, Control& menu) {
    dialogs.push_back({"menu", menu.name(), 0, form.name()});
    if (onPopupMenu) onPopupMenu(form, menu);
}

Picture HeadlessUi::loadPicture(const std::string& resource) {
    return Picture{++nextPicture_, resource};
}

std::vector<std::string> HeadlessUi::prompts() const {
    std::vector<std::string> all;
    for (auto& d : dialogs) {
        if (d.kind == "msgbox") all.push_back(d.prompt);
    }
    return all;
}

}  // namespace tavlo::rt
