// The tell-a-friend panel: its checks in their order, the request and its
// reply, and the e-mail fields' check when they are left.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using PanelTest = OnlineTest;

TEST_F(PanelTest, PanelOpensFromBothPlacesAndCloses) {
    for (const char* opener : {"CmdSuggest2", "LblSuggst"}) {
        c(opener).click();
        EXPECT_TRUE(c("picDlg").visible()) << opener;
        c("lblCloseFrnd").click();
        EXPECT_FALSE(c("picDlg").visible()) << opener;
    }
    EXPECT_EQ(c("LblSuggst").toolTip(), " Suggest window ");
}

// The last row passes: 50 characters of two bytes each, 50 and 200 characters.
TEST_F(PanelTest, FirstRefusedFieldTurnsItsLabelRedAndNothingIsSent) {
    std::string m50 = std::string(46, 'm') + ".com", e50;
    for (int i = 0; i < 50; ++i) e50 += "\xC3\xA9";
    const std::tuple<std::array<std::string, 5>, std::string, std::string> rows[] = {
        {{"", "", "", "", ""}, "Invalid Name", "lblFrndNm"},
        {{"Bob", " ", "c", "Ann", "a@x.com"}, "Invalid Email", "lblFrndEM"},
        {{"Bob", "b@y.org", "", "Ann", "a@x.com"}, "Invalid Comments", "lblCommnt"},
        {{"Bob", "b@y.org", "c", "", "a@x.com"}, "Invalid Name", "lblName2"},
        {{"Bob", "b@y.org", "c", "Ann", ""}, "Invalid Email", "lblmail2"},
        {{std::string(51, 'n'), m50, "c", "Ann", "a@x.com"}, "Invalid Namer", "lblFrndNm"},
        {{"Bob", "m" + m50, "c", "Ann", "a@x.com"}, "Invalid Namer", "lblFrndEM"},
        {{"Bob", m50, std::string(201, 'c'), "Ann", "a@x.com"}, "Invalid Namer", "lblCommnt"},
        {{e50, m50, std::string(200, 'c'), "Ann", "a@x.com"}, "", ""}};
    EXPECT_FALSE(c("txtmail2").enabled());
    for (const auto& [fields, message, label] : rows) {
        fill(fields);
        ui.dialogs.clear();
        c("cmdSugst").click();
        EXPECT_EQ(ui.prompts(), message.empty() ? std::vector<std::string>{} : std::vector{message}) << label;
        EXPECT_TRUE(label.empty() || ui.dialogs[0].style == rt::Information && ui.dialogs[0].title == "Tavlo");
        EXPECT_TRUE(label.empty() || c(label).foreColor() == kRed) << label;
        EXPECT_EQ(c("lblFrndEM").foreColor(), label == "lblFrndNm" && message == "Invalid Name" ? 0u : kRed);
    }
    EXPECT_TRUE(c("txtName2").enabled() && c("txtmail2").enabled());
    EXPECT_EQ(http.requests.size(), 1u);
}

// The fields are trimmed and cleaned and keep the cleaned texts; a click while
// a request runs is ignored, and the request ends on every way out.
TEST_F(PanelTest, RequestCarriesTheCleanedFieldsAndItsReplyDecidesTheStatus) {
    const std::string done = "Done. We will send an email to him/her.", later = "Please Try Later";
    const std::pair<std::optional<std::string>, std::string> rows[] = {
        {"Thanks. We will send an email to bob", done}, {"ok, queued.", done}, {"WE WILL SEND AN EMAIL TO", done},
        {"", later}, {"Error", later}, {std::nullopt, later}, {"throw", "Connecting..."}};
    std::vector<std::string> seen;
    for (const auto& [reply, shown] : rows) {
        fill({"Bob", " bob@y.org", "<b>\"Hi\"</b> ~ ok ", "  Blue & Green's  ", "ann@x.com"});
        scope.app().setScreenPointer(rt::PointerArrow);
        http.defaultReply = reply;
        http.during = [&, fails = reply == "throw"] {
            seen = {c("lblCncMsg").caption(), std::to_string(c("cmdSugst").enabled()), std::to_string(w.SuggestBusy),
                    std::to_string(scope.app().screenPointer()), std::to_string(c("picCncMsg").visible())};
            c("cmdSugst").click();
            if (fails) throw std::runtime_error("the connection broke");
        };
        if (reply == "throw") EXPECT_THROW(c("cmdSugst").click(), std::runtime_error);
        else c("cmdSugst").click();
        EXPECT_EQ(seen, (std::vector<std::string>{"Connecting...", "0", "-1", "11", "1"}));
        EXPECT_EQ(c("lblCncMsg").caption(), shown);
        EXPECT_TRUE(c("cmdSugst").enabled() && w.SuggestBusy == rt::False && ui.prompts().empty());
        EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
        EXPECT_EQ(c("txtName2").text() + "|" + c("txtCommnt").text() + "|" + c("txtFrndEM").text(),
                  "Blue  Greens|bHi/b  ok|bob@y.org");
    }
    EXPECT_EQ(http.requests, std::vector<std::string>(6, kServer + "/reg/suggst.php?bc=0&name=Blue%20%20Greens"
                                                                 "&mail=ann%40x.com&frnm=Bob&frml=bob%40y.org"
                                                                 "&pcid=60C863A9&vrsn=1.0.5&cmnt=bHi%2Fb%20%20ok&a=1"));
    EXPECT_EQ(http.lastTimeoutMs, 10000);
}

TEST_F(PanelTest, EveryLoadStartsWithNoRequestOrCheckUnderWay) {
    w.SuggestBusy = w.VersionCheckBusy = rt::True;
    w.unload();
    w.load();
    EXPECT_TRUE(w.SuggestBusy == rt::False && w.VersionCheckBusy == rt::False);
}

TEST_F(PanelTest, LeavingAnEmailFieldLowerCasesItAndColoursItByItsForm) {
    const std::string none = "\r\nYou did not enter an email address!",
                      tooShort = "\r\nYour email address is shorter than 6 characters which is impossible.",
                      first = "\r\nYour @ sign can not be the first character in your email address!";
    const std::tuple<const char*, std::string, std::string, rt::Color, std::string> rows[] = {
        {"txtFrndEM", "ABCDEFGHIJKLM@NOPQRSTUVWXYZ.COM", "abcdefghijklm@nopqrstuvwxyz.com", kGrey, ""},
        {"txtFrndEM", "Ann.Lee@Example.COM", "ann.lee@example.com", kGrey, ""},
        {"txtmail2", "AB@CD.CO", "ab@cd.co", kWhite, ""}, {"txtFrndEM", "", "", kRed, none},
        {"txtmail2", "a@b.c", "a@b.c", kRed, tooShort}, {"txtFrndEM", "a b@cd", "a b@cd", kRed, ""},
        {"txtFrndEM", "ab@cd.com ", "ab@cd.com ", kRed, ""}, {"txtFrndEM", "ab@c.com", "ab@c.com", kRed, ""},
        {"txtFrndEM", "ab@cd.c", "ab@cd.c", kRed, ""}, {"txtFrndEM", "ab@.com", "ab@.com", kRed, ""},
        {"txtmail2", "@abcd.com", "@abcd.com", kRed, first}};
    for (const auto& [field, typed, shown, colour, message] : rows) {
        c(field).setText(typed);
        c(field).setBackColor(0x123456);
        ui.dialogs.clear();
        c(field).lostFocus();
        EXPECT_EQ(std::pair(c(field).text(), c(field).backColor()), std::pair(shown, colour));
        EXPECT_EQ(ui.prompts(), message.empty() ? std::vector<std::string>{} : std::vector{message}) << typed;
    }
}

}  // namespace
}  // namespace tavlo::online::testing
