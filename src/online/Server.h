// The maker's web server as the program reaches it: its base address (scheme
// and host, one setting of the program), the addresses of its pages and
// requests, and the one GET the online pages make, bounded in time.
#pragma once

#include <optional>
#include <string>

#include "runtime/App.h"

namespace tavlo::online {

// The base address used when the environment names none.
inline constexpr const char* kDefaultServer = "http://www.tavlo.com";
// The environment variable that names another base address, such as
// "http://127.0.0.1:8080" for a local test server.
inline constexpr const char* kServerVariable = "TAVLO_SERVER";
// How long a request may take before it counts as failed.
inline constexpr int kRequestTimeoutMs = 10000;

struct ServerSettings : rt::Module {
    // Read from the environment on first use; "" until then.
    std::string base;
    int requestTimeoutMs = kRequestTimeoutMs;
};

// The base address, without a trailing "/": the environment's http or https
// address when it names one, else the default.
std::string ServerBase();
// The base address followed by a path that starts with "/".
std::string ServerUrl(const std::string& path);

// The value as it may stand in a query, in the ANSI code page the server has
// always been sent: letters, digits and "-" "." "_" "~" stay, every other
// byte of its ANSI text becomes "%" and two hex digits; a character the page
// cannot hold goes as "?" ("%3F").
std::string PercentEncode(const std::string& value);

// What a tell-a-friend request carries, in the order it sends it.
struct Suggestion {
    std::string name;        // the user's own name
    std::string mail;        // the user's own e-mail address
    std::string friendName;
    std::string friendMail;
    std::string machineId;
    std::string version;
    std::string comment;
};
std::string SuggestionUrl(const Suggestion& s);
std::string LatestVersionUrl();

// The one transfer that the version check and the tell-a-friend request share.
// It lives with the program, not with the main window, whose load resets the
// busy flags while a request may still wait.
struct TransferState : rt::Module {
    bool stillExecuting = false;
};

// One GET of the full URL: the body of a 2xx answer that carries one, or
// nothing when the request failed (no connection, any other status, no body,
// no answer within the time). The windows take events while it waits.
std::optional<std::string> Fetch(const std::string& url);
// True while a Fetch waits for its answer: no other request may start then.
bool StillExecuting();

// A text that tells this machine apart without naming it: eight hex digits
// made from the computer's name.
std::string MachineIdentifier();

}  // namespace tavlo::online
