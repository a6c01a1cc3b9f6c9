// The tell-a-friend panel picDlg: its fields, their checks and the request
// that asks the maker's server to write to the friend.
#include <cstdlib>

#include "core/Frm0.h"
#include "core/Store.h"
#include "online/Email.h"
#include "online/Server.h"
#include "online/TextRules.h"
#include "runtime/WindowCalls.h"

namespace tavlo::core {

namespace {

using rt::Kind;

constexpr rt::Color kFieldGrey = 0xE0E0E0;
constexpr rt::Color kRefusedRed = 0x0000FF;
constexpr rt::Color kWhite = 0xFFFFFF;
constexpr rt::Color kLinkBlue = 0xFF0000;
constexpr int kHandPointer = 99;

// The panel's text fields in the order they are cleaned.
constexpr const char* kSuggestFields[] = {"txtFrndNm", "txtFrndEM", "txtCommnt", "txtName2", "txtmail2"};

// A colour kept as decimal text: its leading digits, 0 when there are none.
rt::Color colorOf(const std::string& text) {
    return static_cast<rt::Color>(std::strtoul(text.c_str(), nullptr, 10));
}

rt::ControlDesign panelLabel(const char* name, rt::Twips left, rt::Twips top, rt::Twips width, const char* text,
                          rt::Font font = {}) {
    return {.kind = Kind::Label, .name = name, .container = "picDlg", .left = left, .top = top, .width = width,
            .height = 195, .text = text, .transparent = true, .font = font};
}

rt::ControlDesign field(const char* name, rt::Twips top, int maxLength, bool enabled = true) {
    return {.kind = Kind::TextBox, .name = name, .container = "picDlg", .left = 1680, .top = top, .width = 3120,
            .height = 285, .enabled = enabled, .backColor = kFieldGrey, .border = 1, .maxLength = maxLength};
}

}  // namespace

void Frm0::buildSuggestPanel() {
    add({.kind = Kind::Image, .name = "Image2", .container = "picDlg", .left = 0, .top = 0, .width = 5040,
         .height = 330, .picture = "panel_band", .mousePointer = 15})
        .onMouseDown = [this](int button, int shift, rt::Twips x, rt::Twips y) {
            DragDialogByImage(button, shift, x, y);
        };
    add(panelLabel("Label65", 180, 450, 4680, "Suggest Tavlo to your friend", {.bold = true}));
    add(panelLabel("Label66", 180, 720, 4680, "Submit this form, so we will email him/her to test Tavlo."));
    add(panelLabel("Label67", 180, 960, 4680, "Don't worry. We don't like spam."));
    buildSuggestFields();
    add({.kind = Kind::Button, .name = "cmdSugst", .container = "picDlg", .left = 3705, .top = 3120, .width = 1095,
         .height = 330, .text = "Suggest"})
        .onClick = [this] { SendSuggestion(); };
    add({.kind = Kind::Label, .name = "lblCloseFrnd", .container = "picDlg", .left = 1680, .top = 3180,
         .width = 420, .height = 195, .text = "Close", .foreColor = kLinkBlue, .transparent = true,
         .font = {.underline = true}, .mousePointer = kHandPointer})
        .onClick = [this] { CloseSuggestPanel(); };
}

void Frm0::buildSuggestFields() {
    add(panelLabel("lblFrndNm", 180, 1320, 1440, "Friend's Name"));
    add(field("txtFrndNm", 1290, 60));
    add(panelLabel("lblFrndEM", 180, 1650, 1440, "Friend's Email"));
    add(field("txtFrndEM", 1620, 130));
    add(panelLabel("lblName2", 180, 1980, 1440, "Your Name"));
    add(field("txtName2", 1950, 130));
    add(panelLabel("lblmail2", 180, 2310, 1440, "Your Email"));
    add(field("txtmail2", 2280, 130, false));
    auto commentLabel = panelLabel("lblCommnt", 180, 2640, 1440, "Comments (Optional)");
    commentLabel.height = 435;  // two lines: the caption wraps after "Comments"
    add(commentLabel);
    auto comment = field("txtCommnt", 2610, 200);
    comment.height = 435;
    comment.multiLine = true;
    add(comment);
    for (const char* name : {"txtFrndEM", "txtmail2"}) {
        auto& mail = c(name);
        const std::string n = name;
        mail.onKeyPress = [this](int& keyAscii) { FilterEmailKey(keyAscii); };
        mail.onLostFocus = [this, n] { ValidateEmailField(n); };
    }
}

void Frm0::ShowSuggestPanel() { c("picDlg").setVisible(true); }

void Frm0::CloseSuggestPanel() { c("picDlg").setVisible(false); }

// Left button only: the panel moves inside the window with the mouse.
void Frm0::DragDialogByImage(int button, int, rt::Twips, rt::Twips) {
    if (button != rt::LeftButton) return;
    rt::StartSystemMove(c("picDlg").hWnd());
}

// The fields are cleaned and checked; a refused field stops here with its
// message. A request under way, of either kind, ignores the click. A failed
// transfer ends like a reply without a marker. The button, the busy flag and
// the pointer come back on every way out, an error that escapes the request
// included.
void Frm0::SendSuggestion() {
    cleanSuggestFields();
    if (!suggestFieldsPass()) return;
    if (SuggestBusy == rt::True || online::StillExecuting()) return;
    c("cmdSugst").setEnabled(false);
    rt::app().setScreenPointer(rt::PointerHourglass);
    c("lblCncMsg").setCaption("Connecting...");
    c("picCncMsg").setVisible(true);
    SuggestBusy = rt::True;
    try {
        sendSuggestRequest();
    } catch (...) {
        endSuggestRequest();
        throw;
    }
    endSuggestRequest();
}

void Frm0::endSuggestRequest() {
    SuggestBusy = rt::False;
    rt::app().setScreenPointer(rt::PointerDefault);
    c("cmdSugst").setEnabled(true);
}

void Frm0::sendSuggestRequest() {
    const std::string url = online::SuggestionUrl({
        .name = c("txtName2").text(),
        .mail = c("txtmail2").text(),
        .friendName = c("txtFrndNm").text(),
        .friendMail = c("txtFrndEM").text(),
        .machineId = MachineId,
        .version = c("lblVersion").caption(),
        .comment = c("txtCommnt").text(),
    });
    c("lblCncMsg").setCaption("Connecting...");
    const std::string reply = online::UpperCase(online::Fetch(url).value_or(""));
    const bool sent = reply.find(online::UpperCase("We will send an email to")) != std::string::npos ||
                      reply.find(online::UpperCase("Queued")) != std::string::npos;
    if (sent) {
        c("lblCncMsg").setCaption("Done. We will send an email to him/her.");
        c("picCncMsg").setVisible(true);
    } else {
        c("lblCncMsg").setCaption("Please Try Later");
    }
}

// StripSpecialChars trims each text before it drops the characters that may
// not be sent; the fields keep the cleaned texts.
void Frm0::cleanSuggestFields() {
    for (const char* name : kSuggestFields) {
        std::string text = c(name).text();
        c(name).setText(StripSpecialChars(text));
    }
}

// The checks in their order; the first failure turns its label red, shows its
// message and refuses the form.
bool Frm0::suggestFieldsPass() {
    struct Check {
        const char* field;
        std::size_t longest;  // 0: the field must not be empty; else its most characters
        const char* label;
        const char* enable;   // a field made editable by the failure
        const char* message;
    };
    static constexpr Check checks[] = {
        {"txtFrndNm", 0, "lblFrndNm", nullptr, "Invalid Name"},
        {"txtFrndEM", 0, "lblFrndEM", nullptr, "Invalid Email"},
        {"txtCommnt", 0, "lblCommnt", nullptr, "Invalid Comments"},
        {"txtName2", 0, "lblName2", "txtName2", "Invalid Name"},
        {"txtmail2", 0, "lblmail2", "txtmail2", "Invalid Email"},
        {"txtFrndNm", 50, "lblFrndNm", nullptr, "Invalid Namer"},
        {"txtFrndEM", 50, "lblFrndEM", nullptr, "Invalid Namer"},
        {"txtCommnt", 200, "lblCommnt", nullptr, "Invalid Namer"},
    };
    for (const Check& check : checks) {
        const std::string& text = c(check.field).text();
        const bool fails = check.longest == 0 ? text.empty() : online::CharCount(text) > check.longest;
        if (!fails) continue;
        c(check.label).setForeColor(kRefusedRed);
        if (check.enable) c(check.enable).setEnabled(true);
        rt::app().msgBox(check.message, rt::Information);
        return false;
    }
    return true;
}

void Frm0::FilterEmailKey(int& keyAscii) { keyAscii = online::FilterEmailKey(keyAscii); }

// Colours the field by the form of its address and reports the findings of
// IsValidEmail; a space ends the check at once, without a message.
void Frm0::ValidateEmailField(const std::string& field) {
    auto& box = c(field);
    box.setBackColor(field == "txtFrndEM" ? colorOf(FieldNormalColor) : kWhite);
    box.setText(online::LowerCase(box.text()));
    if (online::CharCount(box.text()) < 6) {
        box.setBackColor(colorOf(FieldErrorColor));
    } else {
        bool ended = false;
        markEmailField(field, ended);
        if (ended) return;
    }
    if (!online::IsValidEmail(box.text())) {
        box.setBackColor(colorOf(FieldErrorColor));
        rt::app().msgBox(online::EmailCheckMessage(), rt::Information);
    }
}

// Walks the address: local part until an "@", domain name until the next
// ".", suffix after it. Sets `ended` when a space stops the check.
void Frm0::markEmailField(const std::string& field, bool& ended) {
    auto& box = c(field);
    const rt::Color error = colorOf(FieldErrorColor);
    enum { Local = 1, Domain = 2, Suffix = 3 } state = Local;
    std::string local, domain, suffix;
    for (char ch : std::string(box.text())) {
        if (ch == '@') {
            if (local.empty()) box.setBackColor(error);
            state = Domain;
        } else if (ch == ' ') {
            box.setBackColor(error);
            ended = true;
            return;
        } else if (ch == '.' && state == Domain) {
            if (domain.empty()) box.setBackColor(error);
            state = Suffix;
        } else {
            (state == Local ? local : state == Domain ? domain : suffix) += ch;
        }
    }
    if (online::CharCount(domain) < 2) box.setBackColor(error);
    if (online::CharCount(suffix) < 2) box.setBackColor(error);
}

}  // namespace tavlo::core
