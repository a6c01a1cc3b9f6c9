// The request addresses on any field texts and any configured server: no
// crash; the tell-a-friend address is the server's base, the fixed path, the
// seven pairs in their order and "&a=1", each value percent-encoded so that
// it holds only unreserved characters and "%XX", and decoding gives back the
// field exactly; no field can add, end or reorder a pair. The base address is
// the default or an http(s) address without a trailing "/" or blank.
// Input: the seven fields and the server setting, split by FuzzedDataProvider.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "online/Server.h"
#include "online/TextRules.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;
using fuzz::shown;

namespace {

platform::fake::HeadlessApp* program = nullptr;

bool unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value back from its encoded form; false when the form is not one the
// encoder may give (a reserved character, a broken or lower-case escape).
bool decode(const std::string& encoded, std::string& value) {
    value.clear();
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        const unsigned char c = encoded[i];
        if (unreserved(c)) {
            value += static_cast<char>(c);
            continue;
        }
        if (c != '%' || i + 2 >= encoded.size()) return false;
        const int hi = hexValue(encoded[i + 1]), lo = hexValue(encoded[i + 2]);
        if (hi < 0 || lo < 0) return false;
        value += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

void checkBase() {
    const std::string base = online::ServerBase();
    const std::string lower = online::LowerCase(base);
    FUZZ_CHECK(base == online::kDefaultServer || lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0,
               "base address %s", shown(base).c_str());
    FUZZ_CHECK(base.back() != '/' && base.back() != ' ', "base address %s ends in a separator", shown(base).c_str());
    FUZZ_CHECK(online::LatestVersionUrl() == base + "/version/latest.php", "version address %s",
               shown(online::LatestVersionUrl()).c_str());
}

void checkSuggestionUrl(const online::Suggestion& s) {
    const std::string url = online::SuggestionUrl(s);
    const std::string head = online::ServerBase() + "/reg/suggst.php?bc=0";
    FUZZ_CHECK(url.rfind(head, 0) == 0, "address %s does not start with %s", shown(url).c_str(), shown(head).c_str());
    const std::string pairs = url.substr(head.size());
    const char* keys[] = {"name", "mail", "frnm", "frml", "pcid", "vrsn", "cmnt", "a"};
    const std::string* values[] = {&s.name, &s.mail, &s.friendName, &s.friendMail, &s.machineId, &s.version,
                                   &s.comment};
    std::vector<std::string> parts;
    for (std::size_t at = 0; at < pairs.size();) {
        FUZZ_CHECK(pairs[at] == '&', "pairs %s do not start with &", shown(pairs).c_str());
        std::size_t end = pairs.find('&', at + 1);
        if (end == std::string::npos) end = pairs.size();
        parts.push_back(pairs.substr(at + 1, end - at - 1));
        at = end;
    }
    FUZZ_CHECK(parts.size() == 8, "%zu pairs in %s", parts.size(), shown(url).c_str());
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string key = std::string(keys[i]) + "=";
        FUZZ_CHECK(parts[i].rfind(key, 0) == 0, "pair %zu is %s", i, shown(parts[i]).c_str());
        const std::string encoded = parts[i].substr(key.size());
        if (i == 7) {
            FUZZ_CHECK(encoded == "1", "the address ends in %s", shown(parts[i]).c_str());
            continue;
        }
        std::string decoded;
        FUZZ_CHECK(decode(encoded, decoded), "value %s of %s is not encoded", shown(encoded).c_str(), keys[i]);
        FUZZ_CHECK(decoded == *values[i], "%s decodes to %s, not %s", keys[i], shown(decoded).c_str(),
                   shown(*values[i]).c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    program = new platform::fake::HeadlessApp;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    online::Suggestion s;
    for (std::string* field : {&s.name, &s.mail, &s.friendName, &s.friendMail, &s.machineId, &s.version, &s.comment})
        *field = input.ConsumeRandomLengthString(300);
    auto& env = program->sys.env.variables;
    if (input.ConsumeBool())
        env[online::kServerVariable] = input.ConsumeRemainingBytesAsString();
    else
        env.erase(online::kServerVariable);
    rt::app().module<online::ServerSettings>().base.clear();  // read the setting afresh
    checkBase();
    checkSuggestionUrl(s);
    return 0;
}
