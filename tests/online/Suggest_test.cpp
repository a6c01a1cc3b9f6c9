// The tell-a-friend panel: its checks in their order, the cleaning of the
// fields, the exact request, the reply markers and a failed request.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

constexpr rt::Color kRed = 0x0000FF;

struct SuggestTest : OnlineTest {
    void SetUp() override {
        OnlineTest::SetUp();
        w.MachineId = "0A1B2C3D";
        c("lblVersion").setCaption("1.0.5");
    }
    void fill(const std::string& friendName, const std::string& friendMail, const std::string& comment,
              const std::string& name, const std::string& mail) {
        c("txtFrndNm").setText(friendName);
        c("txtFrndEM").setText(friendMail);
        c("txtCommnt").setText(comment);
        c("txtName2").setText(name);
        c("txtmail2").setText(mail);
    }
    void fillValid() { fill("Bob", "bob@y.org", "Try it", "Ann", "ann@x.com"); }
    void suggest() { c("cmdSugst").click(); }
    std::string status() { return c("lblCncMsg").caption(); }
    void expectRefused(const std::string& message, const std::string& label) {
        EXPECT_EQ(prompts(), std::vector<std::string>{message});
        EXPECT_EQ(ui.dialogs.back().style, rt::Information);
        EXPECT_EQ(ui.dialogs.back().title, "Tavlo");
        EXPECT_EQ(c(label).foreColor(), kRed) << label;
        EXPECT_TRUE(http.requests.empty());
    }
};

TEST_F(SuggestTest, PanelOpensFromBothPlacesAndCloses) {
    EXPECT_FALSE(c("picDlg").visible());
    c("CmdSuggest2").click();
    EXPECT_TRUE(c("picDlg").visible());
    c("lblCloseFrnd").click();
    EXPECT_FALSE(c("picDlg").visible());
    c("txtFrndNm").setText("Bob");
    c("LblSuggst").click();
    EXPECT_TRUE(c("picDlg").visible());
    EXPECT_EQ(c("txtFrndNm").text(), "Bob");
}

TEST_F(SuggestTest, EmptyFieldsAreRefusedInOrder) {
    struct Case { const char* empty; const char* message; const char* label; };
    const Case cases[] = {
        {"txtFrndNm", "Invalid Name", "lblFrndNm"},   {"txtFrndEM", "Invalid Email", "lblFrndEM"},
        {"txtCommnt", "Invalid Comments", "lblCommnt"}, {"txtName2", "Invalid Name", "lblName2"},
        {"txtmail2", "Invalid Email", "lblmail2"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.empty);
        fillValid();
        c(k.empty).setText("   ");
        ui.dialogs.clear();
        suggest();
        expectRefused(k.message, k.label);
    }
}

TEST_F(SuggestTest, FirstFailureStopsTheChecks) {
    fill("", "", "", "", "");
    suggest();
    expectRefused("Invalid Name", "lblFrndNm");
    EXPECT_EQ(c("lblFrndEM").foreColor(), 0x000000u);
}

TEST_F(SuggestTest, EmptyOwnAddressMakesItsFieldEditable) {
    EXPECT_FALSE(c("txtmail2").enabled());
    fill("Bob", "bob@y.org", "Try it", "Ann", "");
    suggest();
    expectRefused("Invalid Email", "lblmail2");
    EXPECT_TRUE(c("txtmail2").enabled());
}

TEST_F(SuggestTest, OverlongFieldsAreRefusedAfterTheEmptyOnes) {
    fill(std::string(50, 'n'), std::string(46, 'm') + ".com", std::string(200, 'c'), "Ann", "ann@x.com");
    http.defaultReply = "Queued";
    suggest();
    EXPECT_TRUE(prompts().empty());  // 50, 50 and 200 characters pass
    struct Case { const char* field; std::string text; const char* label; };
    const Case cases[] = {
        {"txtFrndNm", std::string(55, 'n'), "lblFrndNm"},
        {"txtFrndEM", std::string(47, 'm') + ".com", "lblFrndEM"},
        {"txtCommnt", std::string(201, 'c'), "lblCommnt"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.field);
        fillValid();
        c(k.field).setText(k.text);
        ui.dialogs.clear();
        http.requests.clear();
        suggest();
        expectRefused("Invalid Namer", k.label);
    }
}

TEST_F(SuggestTest, LengthsCountCharacters) {
    fillValid();
    std::string name;
    for (int i = 0; i < 50; ++i) name += "\xC3\xA9";  // 50 characters, 100 bytes
    c("txtFrndNm").setText(name);
    http.defaultReply = "Queued";
    suggest();
    EXPECT_TRUE(prompts().empty());
    EXPECT_EQ(http.requests.size(), 1u);
}

TEST_F(SuggestTest, FieldsAreTrimmedAndCleanedAndKeepTheCleanText) {
    fill("  Blue & Green's  ", " bob@y.org", "<b>\"Hi\"</b> ~ ok ", "Ann ", "ann@x.com");
    http.defaultReply = "Queued";
    suggest();
    EXPECT_EQ(c("txtFrndNm").text(), "Blue  Greens");
    EXPECT_EQ(c("txtFrndEM").text(), "bob@y.org");
    EXPECT_EQ(c("txtCommnt").text(), "bHi/b  ok");
    EXPECT_EQ(c("txtName2").text(), "Ann");
}

TEST_F(SuggestTest, RequestCarriesEveryKeyInOrderWithEncodedValues) {
    fill("Bob", "bob@y.org", "Line one #1\r\n50% = half+half", "Ann Lee", "ann@x.com");
    http.defaultReply = "Queued";
    suggest();
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0],
              "http://127.0.0.1:8080/reg/suggst.php?bc=0&name=Ann%20Lee&mail=ann%40x.com&frnm=Bob&frml=bob%40y.org"
              "&pcid=0A1B2C3D&vrsn=1.0.5&cmnt=Line%20one%20%231%0D%0A50%25%20%3D%20half%2Bhalf&a=1");
    EXPECT_EQ(http.lastTimeoutMs, kRequestTimeoutMs);
}

TEST_F(SuggestTest, EitherMarkerInAnyCaseAnywhereMeansDone) {
    for (const char* reply : {"We will send an email to bob@y.org", "ok, queued.", "<p>WE WILL SEND AN EMAIL TO</p>"}) {
        fillValid();
        c("lblCncMsg").setCaption("");
        c("picCncMsg").setVisible(false);
        http.defaultReply = reply;
        suggest();
        EXPECT_EQ(status(), "Done. We will send an email to him/her.") << reply;
        EXPECT_TRUE(c("picCncMsg").visible()) << reply;
    }
}

TEST_F(SuggestTest, ReplyWithoutMarkerOrFailedRequestSaysPleaseTryLater) {
    for (std::optional<std::string> reply : {std::optional<std::string>(""), std::optional<std::string>("Error"),
                                             std::optional<std::string>()}) {
        fillValid();
        http.defaultReply = reply;
        suggest();
        EXPECT_EQ(status(), "Please Try Later");
        EXPECT_TRUE(c("cmdSugst").enabled());
        EXPECT_EQ(w.SuggestBusy, rt::False);
        EXPECT_EQ(scope.app().screenPointer(), rt::PointerDefault);
        EXPECT_EQ(c("txtFrndNm").text(), "Bob");
    }
}

TEST_F(SuggestTest, RequestShowsItsStateAndIgnoresASecondClick) {
    fillValid();
    bool disabled = false;
    short busy = rt::False;
    std::string seen;
    http.during = [&] {
        disabled = !c("cmdSugst").enabled();
        busy = w.SuggestBusy;
        seen = status();
        suggest();  // a second click while the request runs
    };
    http.defaultReply = "Queued";
    suggest();
    EXPECT_TRUE(disabled);
    EXPECT_EQ(busy, rt::True);
    EXPECT_EQ(seen, "Connecting...");
    EXPECT_EQ(ui.pointers.front(), rt::PointerHourglass);
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_TRUE(prompts().empty());
    EXPECT_TRUE(c("cmdSugst").enabled());
}

}  // namespace
}  // namespace tavlo::online::testing
