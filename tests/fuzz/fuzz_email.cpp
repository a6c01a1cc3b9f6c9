// IsValidEmail and IsKnownDomainEnding on any text against references written
// here: the first form problem's finding, then one for a second "@"; passing
// when there is none. A known ending, with one leading "." and upper-cased,
// stands anywhere in the list.
#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "online/Email.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;
using fuzz::shown;

namespace {

const std::string kEndings =
    "SS2.COM.EDU.GOV.NET.BIZ.ORG.TV.AF.AL.DZ.AS.AD.AO.AI.AQ.AG.AP.AR.AM.AW.AU.AT.AZ.BS.BH.BD.BB.BY.BE.BZ.BJ.BM.BT.BO"
    ".BA.BW.BV.BR.IO.BN.BG.BF.MM.BI.KH.CM.CA.CV.KY.CF.TD.CL.CN.CX.CC.CO.KM.CG.CD.CK.CR.CI.HR.CU.CY.CZ.DK.DJ.DM.DO.TP"
    ".EC.EG.SV.GQ.ER.EE.ET.FK.FO.FJ.FI.CS.SU.FR.FX.GF.PF.TF.GA.GM.GE.DE.GH.GI.GB.GR.GL.GD.GP.GU.GT.GN.GW.GY.HT.HM.HN"
    ".HK.HU.IS.IN.ID.IR.IQ.IE.IL.IT.JM.JP.JO.KZ.KE.KI.KW.KG.LA.LV.LB.LS.LR.LY.LI.LT.LU.MO.MK.MG.MW.MY.MV.ML.MT.MH.MQ"
    ".MR.MU.YT.MX.FM.MD.MC.MN.MS.MA.MZ.NA.NR.NP.NL.AN.NT.NC.NZ.NI.NE.NG.NU.NF.KP.MP.NO.OM.PK.PW.PA.PG.PY.PE.PH.PN.PL"
    ".PT.PR.QA.RE.RO.RU.RW.GS.SH.KN.LC.PM.ST.VC.SM.SA.SN.SC.SL.SG.SK.SI.SB.SO.ZA.KR.ES.LK.SD.SR.SJ.SZ.SE.CH.SY.TJ.TW"
    ".TZ.TH.TG.TK.TO.TT.TN.TR.TM.TC.TV.UG.UA.AE.UK.US.UY.UM.UZ.VU.VA.VE.VN.VG.VI.WF.WS.EH.YE.YU.ZR.ZM.ZW";

bool known(std::string ending) {
    if (ending.empty() || ending[0] != '.') ending.insert(0, ".");
    for (char& c : ending) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return kEndings.find(ending) != std::string::npos;
}

// UTF-8 sequences by their lead byte, checked whole; any other byte is one character.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 1;
        for (std::size_t k = 1; k < n; ++k)
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) n = 1;
        i += n;
    }
    return count;
}

std::string findings(const std::string& a) {
    const std::size_t at = a.find('@'), dot = a.find_last_of('.');
    std::string f;
    if (a.empty()) f = "\r\nYou did not enter an email address!";
    else if (at == std::string::npos) f = "\r\nYour email address does not contain an @ sign.";
    else if (at == 0) f = "\r\nYour @ sign can not be the first character in your email address!";
    else if (at + 1 == a.size()) f = "\r\nYour @ sign can not be the last character in your email address!";
    else if (!known(dot == std::string::npos ? a : a.substr(dot + 1)))
        f = "\r\nYour email address is not carrying a valid ending!\r\n(.com, .net, .gov, .org, .edu, .biz, .tv etc.)";
    else if (characters(a) < 6) f = "\r\nYour email address is shorter than 6 characters which is impossible.";
    if (std::count(a.begin(), a.end(), '@') > 1) f += "\r\nYou have multiple @ sign in your email address";
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::fake::HeadlessApp program;  // holds the findings of the last check
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string expected = findings(text);
    const bool valid = online::IsValidEmail(text);
    FUZZ_CHECK(valid == expected.empty() && online::EmailCheckMessage() == expected, "%s gave %d %s, not %s",
               shown(text).c_str(), valid, shown(online::EmailCheckMessage()).c_str(), shown(expected).c_str());
    FUZZ_CHECK(online::IsKnownDomainEnding(text) == known(text), "ending %s", shown(text).c_str());
    return 0;
}
