// The model's timers on window timers of one hidden message window. The
// system's modal loops (message boxes, menus, moving a window) dispatch its
// ticks too, so timers keep running there.
#pragma once

#include <map>
#include <memory>

#include "runtime/App.h"
#include "runtime/win32/Window.h"

namespace tavlo::rt::win32 {

class Win32Clock : public Clock {
public:
    Win32Clock();
    ~Win32Clock() override;
    Win32Clock(const Win32Clock&) = delete;
    Win32Clock& operator=(const Win32Clock&) = delete;

    void start(Timer& timer, int intervalMs) override;
    void stop(Timer& timer) override;
    bool running(const Timer& timer) const { return ids_.count(&timer) != 0; }

private:
    class Host;
    void tick(UINT_PTR id);

    std::unique_ptr<Host> host_;
    std::map<UINT_PTR, Timer*> timers_;
    std::map<const Timer*, UINT_PTR> ids_;
    UINT_PTR nextId_ = 1;  // never reused, so a late tick finds no other timer
};

}  // namespace tavlo::rt::win32
