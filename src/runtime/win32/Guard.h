// Nothing thrown by the model may leave a window procedure, a timer callback
// or an enumeration callback: the error is shown in a message box titled with
// the program's title and the program goes on.
#pragma once

#include <exception>
#include <utility>

namespace tavlo::rt::win32 {

// Shows the description of an error that escaped a handler; one at a time.
void reportEscaped(const char* description) noexcept;

// Runs f and returns its result, or fallback when it threw.
template <class R, class F>
R guarded(R fallback, F&& f) noexcept {
    try {
        return std::forward<F>(f)();
    } catch (const std::exception& e) {
        reportEscaped(e.what());
    } catch (...) {
        reportEscaped("Unexpected error");
    }
    return fallback;
}

template <class F>
void guarded(F&& f) noexcept {
    guarded(0, [&] {
        std::forward<F>(f)();
        return 0;
    });
}

}  // namespace tavlo::rt::win32
