// The text rules, known endings and server addresses; the tell-a-friend panel and its e-mail fields.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using PanelTest = OnlineTest;

TEST_F(PanelTest, TextRulesEndingsEmailKeysAndTheServersAddresses) {
    const std::pair<std::string, std::size_t> counts[] = {
        {"a\x80\x80\x80", 4}, {"\xC2\xA9\xDF\xBF", 2}, {"\xE0\xA0\x80\xEF\xBF\xBF", 2}, {"\xC3\xA9", 1}, {"\xC3", 1},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", 2}, {"\xC1\xBF\xF5\x80", 4}, {"\xE2\x82" "a", 3}};
    for (const auto& [text, count] : counts) EXPECT_EQ(CharCount(text), count) << text;
    EXPECT_EQ(LowerCase("@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\xC3\x89"), "@abcdefghijklmnopqrstuvwxyz[\xC3\x89");
    EXPECT_EQ(UpperCase("`abcdefghijklmnopqrstuvwxyz{\xC3\xA9"), "`ABCDEFGHIJKLMNOPQRSTUVWXYZ{\xC3\xA9");
    const std::string list =  // the thirteen pieces joined in order make one ending found whole
        "COM.EDU.GOV.NET.BIZ.ORG.TV.AF.AL.DZ.As.AD.AO.AI.AQ.AG.AP.AR.AM.AW.AU.AT.AZ.BS.BH.BD.BB.BY.BE.BZ.BJ.BM.BT.BO.BA"
        ".BW.BV.BR.IO.BN.BG.BF.MM.BI.KH.CM.CA.CV.KY.CF.TD.CL.CN.CX.CC.CO.KM.CG.CD.CK.CR.CI.HR.CU.CY.CZ.DK.DJ.DM.DO.TP"
        ".EC.EG.SV.GQ.ER.EE.ET.FK.FO.FJ.FI.CS.SU.FR.FX.GF.PF.TF.GA.GM.GE.DE.GH.GI.GB.GR.GL.GD.GP.GU.GT.GN.GW.GY.HT.HM"
        ".HN.HK.HU.IS.IN.ID.IR.IQ.IE.IL.IT.JM.JP.JO.KZ.KE.KI.KW.KG.LA.LV.LB.LS.LR.LY.LI.LT.LU.MO.MK.MG.MW.MY.MV.ML.MT"
        ".MH.MQ.MR.MU.YT.MX.FM.MD.MC.MN.MS.MA.MZ.NA.NR.NP.NL.AN.NT.NC.NZ.NI.NE.NG.NU.NF.KP.MP.NO.OM.PK.PW.PA.PG.PY.PE"
        ".PH.PN.PL.PT.PR.QA.RE.RO.RU.RW.GS.SH.KN.LC.PM.ST.VC.SM.SA.SN.SC.SL.SG.SK.SI.SB.SO.ZA.KR.ES.LK.SD.SR.SJ.SZ.SE"
        ".CH.SY.TJ.TW.TZ.TH.TG.TK.TO.TT.TN.TR.TM.TC.TV.UG.UA.AE.UK.US.UY.UM.UZ.VU.VA.VE.VN.VG.VI.WF.WS.EH.YE.YU.ZR.ZM"
        ".ZW";
    for (const std::string& found : {list, std::string("as"), std::string("c"), std::string()})
        EXPECT_TRUE(IsKnownDomainEnding(found)) << found;
    for (const char* missing : {"ss2", "ss2.com", "zw.x", "info"}) EXPECT_FALSE(IsKnownDomainEnding(missing));
    using Keys = std::initializer_list<int>;  // what an e-mail field lets through
    for (int key : Keys{3, 8, 10, 13, 22, 24, 26, '-', '.', '0', '9', '@', 'A', 'Z', '_', 'a', 'z'})
        EXPECT_EQ(c("txtmail2").keyPress(key), key) << key;
    for (int key : Keys{1, 4, 9, 27, ' ', '+', '/', ':', '?', '[', '`', '{', '~', 127, 200})
        EXPECT_EQ(c("txtmail2").keyPress(key), 0) << key;
    EXPECT_EQ(std::pair(c("txtFrndEM").keyPress('+'), c("txtFrndNm").keyPress('+')), std::pair(0, int{'+'}));
    EXPECT_EQ(c("lblLicAgr").caption(), kServer);
    for (const auto& [value, base] : {std::pair{" HTTPS://h.example/ / ", "HTTPS://h.example"}, {"http://", ""},
                                      {"ftp://h", ""}, {"127.0.0.1:8080", ""}, {" ", ""}}) {
        sys.env.variables[kServerVariable] = value;
        scope.app().module<ServerSettings>().base.clear();
        EXPECT_EQ(ServerBase(), *base ? base : "http://www.tavlo.com") << value;
    }
    // Each byte of the value in the ANSI code page; a character the page cannot hold as "?".
    const std::pair<std::string, std::string> encoded[] = {
        {"AZaz09-._~ @[`{/:#%+=&?\r\n\xC3\xA9\x7F", "AZaz09-._~%20%40%5B%60%7B%2F%3A%23%25%2B%3D%26%3F%0D%0A%E9%7F"},
        {"Zo\xC3\xAB", "Zo%EB"}, {"\xE2\x82\xAC \xC5\x93", "%80%20%9C"},
        {"\xCE\xA9\xF0\x9F\x98\x80\xFF", "%3F%3F%3F"}};
    for (const auto& [value, query] : encoded) EXPECT_EQ(PercentEncode(value), query) << value;
}

TEST_F(PanelTest, PanelOpensFromBothPlacesWithItsCaptionsAndFieldsAndReloadsIdle) {
    for (const char* opener : {"CmdSuggest2", "LblSuggst"}) {
        c(opener).click();
        EXPECT_TRUE(c("picDlg").visible()) << opener;
        c("lblCloseFrnd").click();
        EXPECT_FALSE(c("picDlg").visible()) << opener;
    }
    sys.windows.calls.clear();
    for (int button : {rt::RightButton, rt::LeftButton}) c("Image2").mouseDown(button, 0, 9, 9);  // drags the panel
    const std::string drag = "SendMessage " + std::to_string(c("picDlg").hWnd()) + " 161 2 0";
    EXPECT_EQ(sys.windows.calls, (std::vector<std::string>{"ReleaseCapture", drag}));
    for (const auto& [name, text] : std::map<std::string, std::string>{
             {"Label65", "Suggest Tavlo to your friend"}, {"Label67", "Don't worry. We don't like spam."},
             {"Label66", "Submit this form, so we will email him/her to test Tavlo."}, {"lblFrndNm", "Friend's Name"},
             {"lblFrndEM", "Friend's Email"}, {"lblName2", "Your Name"}, {"lblmail2", "Your Email"},
             {"lblCommnt", "Comments (Optional)"}, {"cmdSugst", "Suggest"}, {"lblCloseFrnd", "Close"},
             {"CmdSuggest2", "Suggest"}, {"LblSuggst", "Click hare"}, {"lblStp2Cnf_CnfTab", "* Go to Settings Tab"}}) {
        EXPECT_EQ(c(name).caption(), text);
        EXPECT_TRUE(c(name).kind() != rt::Kind::Label || c(name).transparent()) << name;  // over the page's picture
    }
    EXPECT_EQ(std::vector({c("txtFrndNm").maxLength(), c("txtFrndEM").maxLength(), c("txtCommnt").maxLength(),
                           c("txtName2").maxLength(), c("txtmail2").maxLength()}),
              std::vector({60, 130, 200, 130, 130}));
    EXPECT_TRUE(c("txtCommnt").multiLine() && c("LblSuggst").toolTip() == " Suggest window ");
    w.SuggestBusy = w.VersionCheckBusy = rt::True;
    w.unload();
    w.load();
    EXPECT_TRUE(w.SuggestBusy == rt::False && w.VersionCheckBusy == rt::False);
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
    EXPECT_TRUE(c("txtFrndNm").enabled() && !c("txtmail2").enabled());
    for (const auto& [fields, message, label] : rows) {
        fill(fields);
        ui.dialogs.clear();
        c("cmdSugst").click();
        EXPECT_EQ(ui.prompts(), message.empty() ? std::vector<std::string>{} : std::vector{message}) << label;
        EXPECT_TRUE(label.empty() || (ui.dialogs[0].style == rt::Information && ui.dialogs[0].title == "Tavlo" &&
                                      c(label).foreColor() == kRed)) << label;
        EXPECT_EQ(c("lblFrndEM").foreColor(), label == "lblFrndNm" && message == "Invalid Name" ? 0u : kRed);
    }
    EXPECT_TRUE(c("txtName2").enabled() && c("txtmail2").enabled());
    EXPECT_EQ(http.requests.size(), 1u);
}

// The fields keep their trimmed, cleaned texts; a click while a request runs is ignored; it ends on every way out.
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

// Its scan colours the field (a blank ends it silently); the first form problem, then a second "@", show.
TEST_F(PanelTest, LeavingAnEmailFieldLowerCasesItColoursItAndShowsTheFindings) {
    const std::string none = "\r\nYou did not enter an email address!",
                      noAt = "\r\nYour email address does not contain an @ sign.",
                      first = "\r\nYour @ sign can not be the first character in your email address!",
                      last = "\r\nYour @ sign can not be the last character in your email address!",
                      ending = "\r\nYour email address is not carrying a valid ending!"
                               "\r\n(.com, .net, .gov, .org, .edu, .biz, .tv etc.)",
                      tooShort = "\r\nYour email address is shorter than 6 characters which is impossible.",
                      twoAts = "\r\nYou have multiple @ sign in your email address";
    const std::tuple<std::string, bool, std::string> rows[] = {
        {"ann.lee@example.com", false, ""}, {"ab@cd.co", false, ""}, {"ab@cd.c", true, ""}, {"a@b.co", true, ""},
        {"ab@.com", true, ""}, {"a b@cd", true, ""}, {"ab@cd.com ", true, ""}, {"", true, none},
        {"abcd.com", true, noAt}, {"@abcd.com", true, first}, {"abcd.com@", true, last}, {"ab@cd.info", true, ending},
        {"a@b.c", true, tooShort}, {"\xC3\xA9@b.c", true, tooShort}, {"@a.x", true, first}, {"a@b.x", true, ending},
        {"ab@cd@ef.com", true, twoAts}, {"@ab@cd.com", true, first + twoAts}, {"a@b@x", true, ending + twoAts},
        {"ABCDEFGHIJKLM@NOPQRSTUVWXYZ.COM", false, ""}};
    for (const auto& [field, normal] : {std::pair{"txtFrndEM", kGrey}, {"txtmail2", kWhite}}) {
        for (const auto& [typed, refused, findings] : rows) {
            c(field).setText(typed);
            c(field).setBackColor(0x123456);
            ui.dialogs.clear();
            c(field).lostFocus();
            const auto shown = findings.empty() ? std::vector<std::string>{} : std::vector{findings};
            EXPECT_EQ(std::pair(c(field).backColor(), ui.prompts()), std::pair(refused ? kRed : normal, shown))
                << typed;
        }
        EXPECT_EQ(c(field).text(), "abcdefghijklm@nopqrstuvwxyz.com");
    }
}

}  // namespace
}  // namespace tavlo::online::testing
