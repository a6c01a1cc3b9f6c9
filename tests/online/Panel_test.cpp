// The tell-a-friend panel: opening, the checks of its fields in their order,
// the request and its reply, and the e-mail fields' check on leaving them.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using PanelTest = OnlineTest;

TEST_F(PanelTest, PanelOpensFromBothPlacesAndClosesKeepingItsFields) {
    EXPECT_FALSE(c("picDlg").visible());
    for (const char* opener : {"CmdSuggest2", "LblSuggst"}) {
        c(opener).click();
        EXPECT_TRUE(c("picDlg").visible()) << opener;
        c("txtFrndNm").setText("Bob");
        c("lblCloseFrnd").click();
        EXPECT_FALSE(c("picDlg").visible()) << opener;
    }
    EXPECT_EQ(c("txtFrndNm").text(), "Bob");
    EXPECT_EQ(c("LblSuggst").toolTip(), " Suggest window ");
}

TEST_F(PanelTest, FirstRefusedFieldTurnsItsLabelRedAndNothingIsSent) {
    const std::string e50 = std::string(46, 'm') + ".com";
    struct Row { std::string friendName, friendMail, comment, name, mail, message, label; };
    const Row rows[] = {
        {"", "", "", "", "", "Invalid Name", "lblFrndNm"},
        {"Bob", " ", "c", "Ann", "a@x.com", "Invalid Email", "lblFrndEM"},
        {"Bob", "b@y.org", "", "Ann", "a@x.com", "Invalid Comments", "lblCommnt"},
        {"Bob", "b@y.org", "c", "", "a@x.com", "Invalid Name", "lblName2"},
        {"Bob", "b@y.org", "c", "Ann", "", "Invalid Email", "lblmail2"},
        {std::string(51, 'n'), e50, std::string(200, 'c'), "Ann", "a@x.com", "Invalid Namer", "lblFrndNm"},
        {"Bob", "m" + e50, "c", "Ann", "a@x.com", "Invalid Namer", "lblFrndEM"},
        {"Bob", e50, std::string(201, 'c'), "Ann", "a@x.com", "Invalid Namer", "lblCommnt"}};
    EXPECT_FALSE(c("txtmail2").enabled());
    for (const Row& r : rows) {
        fill(r.friendName, r.friendMail, r.comment, r.name, r.mail);
        ui.dialogs.clear();
        c("cmdSugst").click();
        EXPECT_EQ(ui.prompts(), std::vector<std::string>{r.message}) << r.label;
        EXPECT_EQ(ui.dialogs.back().style, rt::Information);
        EXPECT_EQ(ui.dialogs.back().title, "Tavlo");
        EXPECT_EQ(c(r.label).foreColor(), kRed) << r.label;
        if (&r == rows) EXPECT_EQ(c("lblFrndEM").foreColor(), 0x000000u);
    }
    EXPECT_TRUE(c("txtName2").enabled());
    EXPECT_TRUE(c("txtmail2").enabled());
    EXPECT_TRUE(http.requests.empty());
}

TEST_F(PanelTest, RequestCarriesTheCleanedFieldsEncodedInTheirOrder) {
    std::string name50;
    for (int i = 0; i < 50; ++i) name50 += "\xC3\xA9";
    fill(name50, "bob@y.org", std::string(200, 'c'), "Ann", "ann@x.com");
    c("cmdSugst").click();
    fill("Bob", " bob@y.org", "<b>\"Hi\"</b> ~ ok ", "  Blue & Green's  ", "ann@x.com");
    c("cmdSugst").click();
    EXPECT_EQ(c("txtName2").text(), "Blue  Greens");
    EXPECT_EQ(c("txtCommnt").text(), "bHi/b  ok");
    EXPECT_EQ(c("txtFrndEM").text(), "bob@y.org");
    ASSERT_EQ(http.requests.size(), 2u);
    EXPECT_EQ(http.requests[1], kServer + "/reg/suggst.php?bc=0&name=Blue%20%20Greens&mail=ann%40x.com&frnm=Bob"
                                          "&frml=bob%40y.org&pcid=60C863A9&vrsn=1.0.5&cmnt=bHi%2Fb%20%20ok&a=1");
    EXPECT_EQ(http.lastTimeoutMs, 10000);
}

TEST_F(PanelTest, EitherMarkerInAnyCaseMeansDoneAnythingElsePleaseTryLater) {
    const std::pair<std::optional<std::string>, std::string> rows[] = {
        {"Thanks. We will send an email to bob", "Done. We will send an email to him/her."},
        {"ok, queued.", "Done. We will send an email to him/her."},
        {"WE WILL SEND AN EMAIL TO", "Done. We will send an email to him/her."},
        {"", "Please Try Later"}, {"Error", "Please Try Later"}, {std::nullopt, "Please Try Later"}};
    for (const auto& [reply, shown] : rows) {
        fill("Bob", "bob@y.org", "Try it", "Ann", "ann@x.com");
        c("picCncMsg").setVisible(false);
        scope.app().setScreenPointer(rt::PointerArrow);
        http.defaultReply = reply;
        c("cmdSugst").click();
        EXPECT_EQ(status(), shown);
        EXPECT_TRUE(c("picCncMsg").visible() || shown == "Please Try Later");
        EXPECT_TRUE(c("cmdSugst").enabled());
        EXPECT_EQ(w.SuggestBusy, rt::False);
        EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
        EXPECT_EQ(c("txtFrndNm").text(), "Bob");
    }
}

TEST_F(PanelTest, RequestUnderWayIgnoresClicksAndEndsOnEveryWayOut) {
    fill("Bob", "bob@y.org", "Try it", "Ann", "ann@x.com");
    std::vector<std::string> seen;
    http.during = [&] {
        seen = {status(), c("cmdSugst").enabled() ? "enabled" : "disabled", std::to_string(w.SuggestBusy),
                std::to_string(scope.app().screenPointer())};
        c("cmdSugst").click();
    };
    c("cmdSugst").click();
    EXPECT_EQ(seen, (std::vector<std::string>{"Connecting...", "disabled", "-1", "11"}));
    EXPECT_EQ(http.requests.size(), 1u);
    http.during = [] { throw std::runtime_error("the connection broke"); };
    EXPECT_THROW(c("cmdSugst").click(), std::runtime_error);
    EXPECT_TRUE(c("cmdSugst").enabled());
    EXPECT_EQ(w.SuggestBusy, rt::False);
    EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
    EXPECT_TRUE(ui.prompts().empty());
}

TEST_F(PanelTest, EveryLoadStartsWithNoRequestOrCheckUnderWay) {
    w.SuggestBusy = w.VersionCheckBusy = rt::True;
    w.unload();
    w.load();
    EXPECT_EQ(w.SuggestBusy, rt::False);
    EXPECT_EQ(w.VersionCheckBusy, rt::False);
}

TEST_F(PanelTest, LeavingAnEmailFieldLowerCasesItAndColoursItByItsForm) {
    const std::string tooShort = "\r\nYour email address is shorter than 6 characters which is impossible.";
    struct Row { const char* field; std::string typed, shown; rt::Color colour; std::string message; };
    const Row rows[] = {
        {"txtFrndEM", "ABCDEFGHIJKLM@NOPQRSTUVWXYZ.COM", "abcdefghijklm@nopqrstuvwxyz.com", kGrey, ""},
        {"txtFrndEM", "Ann.Lee@Example.COM", "ann.lee@example.com", kGrey, ""},
        {"txtmail2", "AB@CD.CO", "ab@cd.co", kWhite, ""},
        {"txtFrndEM", "", "", kRed, "\r\nYou did not enter an email address!"},
        {"txtmail2", "a@b.c", "a@b.c", kRed, tooShort}, {"txtFrndEM", "a b@cd", "a b@cd", kRed, ""},
        {"txtFrndEM", "ab@cd.com ", "ab@cd.com ", kRed, ""}, {"txtFrndEM", "ab@c.com", "ab@c.com", kRed, ""},
        {"txtFrndEM", "ab@cd.c", "ab@cd.c", kRed, ""}, {"txtFrndEM", "ab@.com", "ab@.com", kRed, ""},
        {"txtmail2", "@abcd.com", "@abcd.com", kRed,
         "\r\nYour @ sign can not be the first character in your email address!"}};
    for (const Row& r : rows) {
        c(r.field).setText(r.typed);
        c(r.field).setBackColor(0x123456);
        ui.dialogs.clear();
        c(r.field).lostFocus();
        EXPECT_EQ(c(r.field).text(), r.shown);
        EXPECT_EQ(c(r.field).backColor(), r.colour) << r.typed;
        EXPECT_EQ(ui.prompts(), r.message.empty() ? std::vector<std::string>{} : std::vector{r.message}) << r.typed;
    }
}

}  // namespace
}  // namespace tavlo::online::testing
