// Plain HTTP GET requests on WinINet, bounded in time. The system's own time
// limits do not bound a request under every system (under Wine a silent peer
// or a stalled connect holds a request indefinitely, and a reply that trickles
// in beats any per-read limit), so the request runs on a worker thread while
// the caller waits for it up to the time given. A request still running then
// is left to end on its own: the caller gets nothing at once, and the worker,
// which owns every handle of its request, stops at its next step.
//
// The caller waits in its own thread. Handed the user interface's yield, the
// wait runs it whenever messages come for the thread's windows, so that the
// windows answer, paint and run their timers while a request is under way:
//   system->http.pumpWhileWaiting([&ui] { ui.doEvents(); });
// Whatever the yield runs may start another request (each waits in turn) or
// end the process; a reply that comes after its caller stopped waiting is
// dropped.
#pragma once

#include <functional>

#include "platform/Services.h"

namespace tavlo::platform::win32 {

// Percent-escapes what may not stand in a request line (controls, blanks,
// bytes beyond ASCII and a few reserved marks); "%" and the URL's own
// delimiters stay as they are.
std::string escapeUrl(const std::string& url);

class Win32Http : public Http {
public:
    // The body of a 2xx reply that carries one, bytes as received; nothing on
    // no connection, any other status, an empty body, a reply over MaxBody
    // bytes, or no complete answer within timeoutMs (0 or less: no bound).
    std::optional<std::string> get(const std::string& url, int timeoutMs) override;
    // What runs the thread's pending messages while a request waits; without
    // it (the default) the caller blocks.
    void pumpWhileWaiting(std::function<void()> pump);

    static constexpr std::size_t MaxBody = 16u << 20;

private:
    std::function<void()> pump_;
};

}  // namespace tavlo::platform::win32
