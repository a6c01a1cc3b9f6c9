// The text rules, the address checks and the server's addresses.
#include "OnlineFixture.h"

namespace tavlo::online::testing {
namespace {

using RulesTest = OnlineTest;

TEST_F(RulesTest, TextsCountCharactersAndChangeTheCaseOfPlainLettersOnly) {
    const std::pair<std::string, std::size_t> counts[] = {
        {"", 0}, {"abc", 3}, {"\xC2\xA9\xDF\xBF", 2}, {"\xE0\xA0\x80\xEF\xBF\xBF", 2}, {"\xC3\xA9", 1}, {"\xC3", 1},
        {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", 2}, {"\xC1\xBF\xF5\x80", 4}, {"\xE2\x82" "a", 3}, {"\xC3\xC3\xA9", 2}};
    for (const auto& [text, count] : counts) EXPECT_EQ(CharCount(text), count) << text;
    EXPECT_EQ(LowerCase("@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\xC3\x89"), "@abcdefghijklmnopqrstuvwxyz[\xC3\x89");
    EXPECT_EQ(UpperCase("`abcdefghijklmnopqrstuvwxyz{\xC3\xA9"), "`ABCDEFGHIJKLMNOPQRSTUVWXYZ{\xC3\xA9");
}

TEST_F(RulesTest, AddressCheckReportsTheFirstFormProblemThenASecondAtSign) {
    const std::string none = "\r\nYou did not enter an email address!",
                      noAt = "\r\nYour email address does not contain an @ sign.",
                      first = "\r\nYour @ sign can not be the first character in your email address!",
                      last = "\r\nYour @ sign can not be the last character in your email address!",
                      ending = "\r\nYour email address is not carrying a valid ending!"
                               "\r\n(.com, .net, .gov, .org, .edu, .biz, .tv etc.)",
                      tooShort = "\r\nYour email address is shorter than 6 characters which is impossible.",
                      twoAts = "\r\nYou have multiple @ sign in your email address";
    const std::pair<std::string, std::string> rows[] = {
        {"", none}, {"ab@cd.com", ""}, {"a@b.co", ""}, {"\xC3\xA9@b.co", ""}, {"ab@cd.c", ""}, {"ab@cd.", ""},
        {"abcd.com", noAt}, {"@abcd.com", first}, {"abcd.com@", last}, {"ab@cd.info", ending}, {"a@b.c", tooShort},
        {"\xC3\xA9@b.c", tooShort}, {"@a.x", first}, {"a@b.x", ending}, {"ab@cd@ef.com", twoAts},
        {"@ab@cd.com", first + twoAts}, {"a@b@x", ending + twoAts}};
    for (const auto& [address, findings] : rows) {
        EXPECT_EQ(IsValidEmail(address), findings.empty()) << address;
        EXPECT_EQ(EmailCheckMessage(), findings) << address;
    }
}

// The thirteen pieces joined in order make one ending that is found whole.
TEST_F(RulesTest, EndingIsFoundAnywhereInTheListOfEndings) {
    const std::string list =
        "COM.EDU.GOV.NET.BIZ.ORG.TV.AF.AL.DZ.As.AD.AO.AI.AQ.AG.AP.AR.AM.AW.AU.AT.AZ.BS.BH.BD.BB.BY.BE.BZ.BJ.BM.BT.BO.BA"
        ".BW.BV.BR.IO.BN.BG.BF.MM.BI.KH.CM.CA.CV.KY.CF.TD.CL.CN.CX.CC.CO.KM.CG.CD.CK.CR.CI.HR.CU.CY.CZ.DK.DJ.DM.DO.TP"
        ".EC.EG.SV.GQ.ER.EE.ET.FK.FO.FJ.FI.CS.SU.FR.FX.GF.PF.TF.GA.GM.GE.DE.GH.GI.GB.GR.GL.GD.GP.GU.GT.GN.GW.GY.HT.HM"
        ".HN.HK.HU.IS.IN.ID.IR.IQ.IE.IL.IT.JM.JP.JO.KZ.KE.KI.KW.KG.LA.LV.LB.LS.LR.LY.LI.LT.LU.MO.MK.MG.MW.MY.MV.ML.MT"
        ".MH.MQ.MR.MU.YT.MX.FM.MD.MC.MN.MS.MA.MZ.NA.NR.NP.NL.AN.NT.NC.NZ.NI.NE.NG.NU.NF.KP.MP.NO.OM.PK.PW.PA.PG.PY.PE"
        ".PH.PN.PL.PT.PR.QA.RE.RO.RU.RW.GS.SH.KN.LC.PM.ST.VC.SM.SA.SN.SC.SL.SG.SK.SI.SB.SO.ZA.KR.ES.LK.SD.SR.SJ.SZ.SE"
        ".CH.SY.TJ.TW.TZ.TH.TG.TK.TO.TT.TN.TR.TM.TC.TV.UG.UA.AE.UK.US.UY.UM.UZ.VU.VA.VE.VN.VG.VI.WF.WS.EH.YE.YU.ZR.ZM"
        ".ZW";
    for (const std::string& found : {list, "." + list, std::string("as"), std::string("c"), std::string()})
        EXPECT_TRUE(IsKnownDomainEnding(found)) << found;
    for (const char* missing : {"ss2", "ss2.com", "zw.x", "info"}) EXPECT_FALSE(IsKnownDomainEnding(missing));
}

TEST_F(RulesTest, EmailFieldsLetThroughAddressCharactersAndEditingKeysOnly) {
    using Keys = std::initializer_list<int>;
    for (int key : Keys{3, 8, 10, 13, 22, 24, 26, '-', '.', '0', '9', '@', 'A', 'Z', '_', 'a', 'z'}) {
        EXPECT_EQ(c("txtFrndEM").keyPress(key), key) << key;
        EXPECT_EQ(c("txtmail2").keyPress(key), key) << key;
    }
    for (int key : Keys{1, 4, 9, 27, ' ', '+', '/', ':', '?', '[', '`', '{', '~', 127, 200})
        EXPECT_EQ(c("txtmail2").keyPress(key), 0) << key;
    EXPECT_EQ(c("txtFrndNm").keyPress('+'), '+');
}

TEST_F(RulesTest, ServerIsTheEnvironmentsHttpAddressReadOnceOrTheDefault) {
    EXPECT_EQ(c("lblLicAgr").caption(), kServer);
    const std::pair<std::string, std::string> rows[] = {
        {" HTTPS://h.example/ / ", "HTTPS://h.example"}, {"http://h", "http://h"},
        {"http://", "http://www.tavlo.com"}, {"ftp://h", "http://www.tavlo.com"},
        {"127.0.0.1:8080", "http://www.tavlo.com"}, {" ", "http://www.tavlo.com"}};
    for (const auto& [value, base] : rows) {
        sys.env.variables[kServerVariable] = value;
        scope.app().module<ServerSettings>().base.clear();
        EXPECT_EQ(ServerBase(), base) << value;
    }
    sys.env.variables[kServerVariable] = "http://other";
    EXPECT_EQ(LatestVersionUrl(), "http://www.tavlo.com/version/latest.php");
    EXPECT_EQ(PercentEncode("AZaz09-._~ @[`{/:#%+=&?\r\n\xC3\xA9\x7F"),
              "AZaz09-._~%20%40%5B%60%7B%2F%3A%23%25%2B%3D%26%3F%0D%0A%C3%A9%7F");
}

}  // namespace
}  // namespace tavlo::online::testing
