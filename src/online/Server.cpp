#include "online/Server.h"

#include <cstdint>

#include "core/Ansi.h"
#include "online/TextRules.h"

namespace tavlo::online {

namespace {

ServerSettings& settings() { return rt::app().module<ServerSettings>(); }

bool isHttpAddress(const std::string& text) {
    const std::string lower = LowerCase(text);
    return lower.starts_with("http://") || lower.starts_with("https://");
}

std::string configuredBase() {
    std::string base = rt::app().sys().env.variable(kServerVariable);
    while (!base.empty() && (base.back() == '/' || base.back() == ' ')) base.pop_back();
    while (!base.empty() && base.front() == ' ') base.erase(base.begin());
    return isHttpAddress(base) ? base : kDefaultServer;
}

bool unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

std::string ServerBase() {
    auto& s = settings();
    if (s.base.empty()) s.base = configuredBase();
    return s.base;
}

std::string ServerUrl(const std::string& path) { return ServerBase() + path; }

std::string PercentEncode(const std::string& value) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : core::ToAnsi(value)) {
        if (unreserved(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0xF];
        }
    }
    return out;
}

std::string SuggestionUrl(const Suggestion& s) {
    std::string url = ServerUrl("/reg/suggst.php?bc=0");
    const std::pair<const char*, const std::string*> pairs[] = {
        {"&name=", &s.name},      {"&mail=", &s.mail},       {"&frnm=", &s.friendName}, {"&frml=", &s.friendMail},
        {"&pcid=", &s.machineId}, {"&vrsn=", &s.version},    {"&cmnt=", &s.comment},
    };
    for (const auto& [key, value] : pairs) url += key + PercentEncode(*value);
    return url + "&a=1";
}

std::string LatestVersionUrl() { return ServerUrl("/version/latest.php"); }

std::optional<std::string> Fetch(const std::string& url) {
    bool& executing = rt::app().module<TransferState>().stillExecuting;
    executing = true;
    struct Done {
        bool& executing;
        ~Done() { executing = false; }
    } done{executing};
    return rt::app().sys().http.get(url, settings().requestTimeoutMs);
}

bool StillExecuting() { return rt::app().module<TransferState>().stillExecuting; }

// FNV-1a over the upper-cased computer name: stable for the machine, and the
// name itself never leaves it.
std::string MachineIdentifier() {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : UpperCase(rt::app().sys().env.variable("COMPUTERNAME"))) {
        hash = (hash ^ c) * 16777619u;
    }
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string id(8, '0');
    for (int i = 7; i >= 0; --i, hash >>= 4) id[i] = hex[hash & 0xF];
    return id;
}

}  // namespace tavlo::online
