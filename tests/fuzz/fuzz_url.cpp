// The request addresses on any fields and server setting, against references
// written here: the base is the setting without outer blanks and trailing "/"
// when it is an http(s) address with a host, else the default; then the path,
// the seven pairs in order, each byte of the value in the ANSI code page (the
// cipher's conversion, tested with it) but A-Z a-z 0-9 "-._~" as "%XX",
// "&a=1".
#include <fuzzer/FuzzedDataProvider.h>
#include <strings.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "core/Ansi.h"
#include "fuzz/FuzzCheck.h"
#include "online/Server.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;
using fuzz::shown;

namespace {

std::string encoded(const std::string& value) {
    constexpr std::string_view kept = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    std::string out;
    for (char c : core::ToAnsi(value)) {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned char>(c));
        out += kept.find(c) == std::string_view::npos ? std::string(escape) : std::string(1, c);
    }
    return out;
}

std::string expectedBase(std::string s) {
    const auto last = s.find_last_not_of("/ ");
    if (last == std::string::npos) return "http://www.tavlo.com";
    s = s.substr(0, last + 1).substr(s.find_first_not_of(' '));
    for (std::string_view scheme : {"http://", "https://"}) {
        if (s.size() > scheme.size() && !strncasecmp(s.c_str(), scheme.data(), scheme.size())) return s;
    }
    return "http://www.tavlo.com";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::fake::HeadlessApp program;
    FuzzedDataProvider input(data, size);
    online::Suggestion s;
    std::string* fields[] = {&s.name, &s.mail, &s.friendName, &s.friendMail, &s.machineId, &s.version, &s.comment};
    for (std::string* field : fields) *field = input.ConsumeRandomLengthString(300);
    const std::string setting = input.ConsumeRemainingBytesAsString();
    program.sys.env.variables[online::kServerVariable] = setting;
    rt::app().module<online::ServerSettings>().base.clear();  // read the setting afresh
    std::string url = expectedBase(setting) + "/reg/suggst.php?bc=0";
    const char* keys[] = {"&name=", "&mail=", "&frnm=", "&frml=", "&pcid=", "&vrsn=", "&cmnt="};
    for (int i = 0; i < 7; ++i) url += keys[i] + encoded(*fields[i]);
    url += "&a=1";
    const std::string made = online::SuggestionUrl(s);
    FUZZ_CHECK(made == url, "address %s, not %s", shown(made).c_str(), shown(url).c_str());
    return 0;
}
