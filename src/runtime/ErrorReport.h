// The program's common error report. A procedure runs its steps through one
// ErrorReport; a step that fails shows the error's description with Abort,
// Retry and Ignore and a critical icon, titled "An Error Occured":
//   Abort  resets the screen's mouse pointer and leaves the procedure;
//   Retry  runs the failing step again;
//   Ignore goes on with the next step.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tavlo::rt {

// A failure that the error report shows: a database error, a file error.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kErrorReportTitle = "An Error Occured";

class ErrorReport {
public:
    // Runs one step. Returns false when the user chose Abort: the caller
    // then returns at once. Once aborted, every later step is skipped too.
    template <class Step>
    bool step(Step&& s) {
        while (!aborted_) {
            try {
                std::forward<Step>(s)();
                return true;
            } catch (const Error& e) {
                switch (ask(e.what())) {
                case Decision::Retry: continue;
                case Decision::Ignore: return true;
                case Decision::Abort: aborted_ = true; break;
                }
            }
        }
        return false;
    }
    bool aborted() const { return aborted_; }

private:
    enum class Decision { Abort, Retry, Ignore };
    static Decision ask(const std::string& description);
    bool aborted_ = false;
};

// Runs a step whose failure is skipped without a word (layout handlers).
template <class Step>
void skipOnError(Step&& s) {
    try {
        std::forward<Step>(s)();
    } catch (const Error&) {
    }
}

}  // namespace tavlo::rt
