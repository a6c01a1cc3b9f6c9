// Plain HTTP GET requests on WinINet, bounded in time. The system's own time
// limits do not bound a request under every system (under Wine a silent peer
// or a stalled connect holds a request indefinitely, and a reply that trickles
// in beats any per-read limit), so the request runs on a worker thread while
// the caller waits for it up to the time given. A request still running then
// is left to end on its own: the caller gets nothing at once, and the worker,
// which owns every handle of its request, stops at its next step.
#pragma once

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

    static constexpr std::size_t MaxBody = 16u << 20;
};

}  // namespace tavlo::platform::win32
