#include "runtime/win32/Win32Clock.h"

#include "runtime/Timer.h"

namespace tavlo::rt::win32 {

class Win32Clock::Host : public Window {
public:
    explicit Host(Win32Clock& clock) : clock_(clock) {
        CreateArgs a;
        a.parent = HWND_MESSAGE;
        create(a);
    }

protected:
    const wchar_t* ownClass() const override { return L"TavloClock"; }
    std::optional<LRESULT> handle(UINT msg, WPARAM wp, LPARAM) override {
        if (msg != WM_TIMER) return std::nullopt;
        clock_.tick(static_cast<UINT_PTR>(wp));
        return 0;
    }

private:
    Win32Clock& clock_;
};

Win32Clock::Win32Clock() : host_(std::make_unique<Host>(*this)) {}

Win32Clock::~Win32Clock() {
    for (auto& [id, timer] : timers_) KillTimer(host_->hwnd(), id);
}

void Win32Clock::start(Timer& timer, int intervalMs) {
    stop(timer);
    const UINT_PTR id = nextId_++;
    if (!SetTimer(host_->hwnd(), id, static_cast<UINT>(intervalMs), nullptr)) return;
    timers_[id] = &timer;
    ids_[&timer] = id;
}

void Win32Clock::stop(Timer& timer) {
    auto it = ids_.find(&timer);
    if (it == ids_.end()) return;
    KillTimer(host_->hwnd(), it->second);
    timers_.erase(it->second);
    ids_.erase(it);
}

// The tick may stop, restart or destroy any timer, its own included.
void Win32Clock::tick(UINT_PTR id) {
    auto it = timers_.find(id);
    if (it != timers_.end()) it->second->tick();
}

}  // namespace tavlo::rt::win32
