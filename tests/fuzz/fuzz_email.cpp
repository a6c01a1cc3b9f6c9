// The e-mail checks on any text: IsValidEmail, IsKnownDomainEnding and the
// scan of ValidateEmailField on the main window's e-mail fields. No crash;
// the result agrees with the findings, every finding is one of the texts the
// checks know, and only the form problems and the multiple-@ finding mix;
// the ending test ignores letter case and a leading "."; leaving a field
// lower-cases it, colours it normal or refused, and shows at most the one
// message of IsValidEmail (none when a blank ended the scan).
// Input: one byte choosing the field, then the text.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "core/Frm0.h"
#include "fuzz/FuzzCheck.h"
#include "online/Email.h"
#include "online/TextRules.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;
using fuzz::shown;

namespace {

platform::fake::HeadlessApp* program = nullptr;

const std::set<std::string> kFindings = {
    "You did not enter an email address!",
    "Your email address does not contain an @ sign.",
    "Your @ sign can not be the first character in your email address!",
    "Your @ sign can not be the last character in your email address!",
    "Your email address is not carrying a valid ending!",
    "(.com, .net, .gov, .org, .edu, .biz, .tv etc.)",
    "Your email address is shorter than 6 characters which is impossible.",
    "You have multiple @ sign in your email address",
};
const std::string kMultiple = "You have multiple @ sign in your email address";

void checkIsValidEmail(const std::string& address) {
    const bool valid = online::IsValidEmail(address);
    const std::string message = online::EmailCheckMessage();
    FUZZ_CHECK(valid == message.empty(), "result %d with findings %s for %s", valid, shown(message).c_str(),
               shown(address).c_str());
    if (message.empty()) return;
    FUZZ_CHECK(message.rfind("\r\n", 0) == 0, "findings %s do not start with a line break", shown(message).c_str());
    int findings = 0;
    bool multiple = false;
    for (std::size_t at = 2; at <= message.size();) {
        std::size_t end = message.find("\r\n", at);
        if (end == std::string::npos) end = message.size();
        const std::string finding = message.substr(at, end - at);
        FUZZ_CHECK(kFindings.count(finding) == 1, "unknown finding %s for %s", shown(finding).c_str(),
                   shown(address).c_str());
        multiple |= finding == kMultiple;
        ++findings;
        at = end + 2;
    }
    const bool manyAts = std::count(address.begin(), address.end(), '@') >= 2;
    FUZZ_CHECK(multiple == manyAts, "multiple-@ finding %d for %s", multiple, shown(address).c_str());
    FUZZ_CHECK(findings <= 3, "%d findings for %s", findings, shown(address).c_str());
}

void checkIsKnownDomainEnding(const std::string& ending) {
    const bool known = online::IsKnownDomainEnding(ending);
    FUZZ_CHECK(online::IsKnownDomainEnding(fuzz::swapAsciiCase(ending)) == known, "letter case mattered for %s",
               shown(ending).c_str());
    if (ending.rfind('.', 0) != 0)
        FUZZ_CHECK(online::IsKnownDomainEnding("." + ending) == known, "a leading dot mattered for %s",
                   shown(ending).c_str());
}

void checkValidateEmailField(const std::string& field, const std::string& text) {
    auto& w = core::frm0();
    auto& box = w.c(field);
    box.setText(text);
    const std::string before = box.text();
    program->ui.dialogs.clear();
    w.ValidateEmailField(field);
    const std::string after = box.text();
    FUZZ_CHECK(after == online::LowerCase(before), "field %s reads %s after %s", field.c_str(), shown(after).c_str(),
               shown(before).c_str());
    const rt::Color error = static_cast<rt::Color>(std::stol(w.FieldErrorColor));
    const rt::Color normal = field == "txtFrndEM" ? static_cast<rt::Color>(std::stol(w.FieldNormalColor)) : 0xFFFFFF;
    const rt::Color colour = box.backColor();
    FUZZ_CHECK(colour == error || colour == normal, "field colour %u", static_cast<unsigned>(colour));
    const auto& dialogs = program->ui.dialogs;
    FUZZ_CHECK(dialogs.size() <= 1, "%zu messages for %s", dialogs.size(), shown(after).c_str());
    const bool blankEnded = online::CharCount(after) >= 6 && after.find(' ') != std::string::npos;
    if (blankEnded) {
        FUZZ_CHECK(dialogs.empty() && colour == error, "a blank did not end the check of %s", shown(after).c_str());
        return;
    }
    const bool valid = online::IsValidEmail(after);
    FUZZ_CHECK(dialogs.size() == (valid ? 0u : 1u), "%zu messages for %s", dialogs.size(), shown(after).c_str());
    if (!valid) {
        FUZZ_CHECK(dialogs[0].prompt == online::EmailCheckMessage() && colour == error,
                   "message %s does not tell the findings of %s", shown(dialogs[0].prompt).c_str(),
                   shown(after).c_str());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    program = new platform::fake::HeadlessApp;
    core::frm0().load();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string field = data[0] & 1 ? "txtFrndEM" : "txtmail2";
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    checkIsValidEmail(text);
    checkIsKnownDomainEnding(text);
    checkValidateEmailField(field, text);
    return 0;
}
