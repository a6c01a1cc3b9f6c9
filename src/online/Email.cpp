#include "online/Email.h"

#include <algorithm>
#include <array>

#include "online/TextRules.h"

namespace tavlo::online {

namespace {

constexpr const char* kCrLf = "\r\n";

// The known endings, in thirteen pieces; the first piece starts without a "."
// (so "SS2" alone is not found) and one entry is in mixed case. The whole is
// upper-cased before the search.
constexpr std::array<const char*, 13> kEndings = {
    "ss2.COM.EDU.GOV.NET.BIZ.ORG.TV",
    ".AF.AL.DZ.As.AD.AO.AI.AQ.AG.AP.AR.AM.AW.AU.AT.AZ.BS.BH.BD.BB.BY",
    ".BE.BZ.BJ.BM.BT.BO.BA.BW.BV.BR.IO.BN.BG.BF.MM.BI.KH.CM.CA.CV.KY",
    ".CF.TD.CL.CN.CX.CC.CO.KM.CG.CD.CK.CR.CI.HR.CU.CY.CZ.DK.DJ.DM.DO",
    ".TP.EC.EG.SV.GQ.ER.EE.ET.FK.FO.FJ.FI.CS.SU.FR.FX.GF.PF.TF.GA.GM.GE.DE",
    ".GH.GI.GB.GR.GL.GD.GP.GU.GT.GN.GW.GY.HT.HM.HN.HK.HU.IS.IN.ID.IR.IQ",
    ".IE.IL.IT.JM.JP.JO.KZ.KE.KI.KW.KG.LA.LV.LB.LS.LR.LY.LI.LT.LU.MO.MK.MG",
    ".MW.MY.MV.ML.MT.MH.MQ.MR.MU.YT.MX.FM.MD.MC.MN.MS.MA.MZ.NA",
    ".NR.NP.NL.AN.NT.NC.NZ.NI.NE.NG.NU.NF.KP.MP.NO.OM.PK.PW.PA.PG.PY",
    ".PE.PH.PN.PL.PT.PR.QA.RE.RO.RU.RW.GS.SH.KN.LC.PM.ST.VC.SM.SA.SN.SC",
    ".SL.SG.SK.SI.SB.SO.ZA.KR.ES.LK.SD.SR.SJ.SZ.SE.CH.SY.TJ.TW.TZ.TH.TG.TK",
    ".TO.TT.TN.TR.TM.TC.TV.UG.UA.AE.UK.US.UY.UM.UZ.VU.VA.VE.VN.VG.VI",
    ".WF.WS.EH.YE.YU.ZR.ZM.ZW",
};

const std::string& endingList() {
    static const std::string list = [] {
        std::string all;
        for (const char* piece : kEndings) all += piece;
        return UpperCase(all);
    }();
    return list;
}

// The text after the last "." of the address, or the whole address.
std::string endingOf(const std::string& address) {
    const auto dot = address.rfind('.');
    return dot == std::string::npos ? address : address.substr(dot + 1);
}

// The one finding of the address's form, or none; tested in this order.
void findFormProblem(const std::string& address, std::string& message) {
    const auto at = address.find('@');
    if (address.empty()) {
        message += std::string(kCrLf) + "You did not enter an email address!";
    } else if (at == std::string::npos) {
        message += std::string(kCrLf) + "Your email address does not contain an @ sign.";
    } else if (at == 0) {
        message += std::string(kCrLf) + "Your @ sign can not be the first character in your email address!";
    } else if (at == address.size() - 1) {
        message += std::string(kCrLf) + "Your @ sign can not be the last character in your email address!";
    } else if (!IsKnownDomainEnding(endingOf(address))) {
        message += std::string(kCrLf) + "Your email address is not carrying a valid ending!";
        message += std::string(kCrLf) + "(.com, .net, .gov, .org, .edu, .biz, .tv etc.)";
    } else if (CharCount(address) < 6) {
        message += std::string(kCrLf) + "Your email address is shorter than 6 characters which is impossible.";
    }
}

}  // namespace

std::string& EmailCheckMessage() { return rt::app().module<EmailChecks>().EmailCheckMessage; }

bool IsValidEmail(const std::string& address) {
    std::string message;
    findFormProblem(address, message);
    if (std::count(address.begin(), address.end(), '@') >= 2) {
        message += std::string(kCrLf) + "You have multiple @ sign in your email address";
    }
    EmailCheckMessage() = message;
    return message.empty();
}

bool IsKnownDomainEnding(const std::string& ending) {
    const std::string e = UpperCase(ending.starts_with('.') ? ending : "." + ending);
    return endingList().find(e) != std::string::npos;
}

int FilterEmailKey(int keyAscii) {
    switch (keyAscii) {
    case 3: case 8: case 10: case 13: case 22: case 24: case 26:  // copy, backspace, line feed, enter, paste, cut, undo
    case '-': case '.': case '@': case '_':
        return keyAscii;
    default: break;
    }
    const bool letterOrDigit = (keyAscii >= '0' && keyAscii <= '9') || (keyAscii >= 'A' && keyAscii <= 'Z') ||
                               (keyAscii >= 'a' && keyAscii <= 'z');
    return letterOrDigit ? keyAscii : 0;
}

}  // namespace tavlo::online
