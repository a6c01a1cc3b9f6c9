#include "runtime/ErrorReport.h"

#include "runtime/App.h"

namespace tavlo::rt {

ErrorReport::Decision ErrorReport::ask(const std::string& description) {
    switch (app().msgBox(description, AbortRetryIgnore | Critical, kErrorReportTitle)) {
    case Retry: return Decision::Retry;
    case Ignore: return Decision::Ignore;
    default:
        app().setScreenPointer(PointerDefault);
        return Decision::Abort;
    }
}

}  // namespace tavlo::rt
