// Every caption the user sees fits its box in the face it is drawn with: the
// program's windows loaded as real windows, the main window on each of its
// pages. A face that the system replaces by a wider one cuts the texts laid
// out for it, so each control's face must resolve to the face it names.
#include "WineHost.h"

#include <set>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "online/FrmPopUp.h"
#include "runtime/win32/Gdi.h"
#include "scanner/FrmIgnrLst.h"
#include "watch/FrmNwUSB.h"
#include "watch/FrmNwUScrn.h"

namespace tavlo::rt::win32::test {
namespace {

// A push button's caption stays inside its raised edge; a check box's or an
// option button's starts after its mark. In pixels.
constexpr int kButtonEdge = 2;
constexpr int kMarkWidth = 17;

// Texts too long for their control's designed size even in the face it
// names: they show cut, as designed.
const std::set<std::pair<std::string, std::string>> kCutByDesign = {
    // The ignore list's status line is one line as wide as the heading.
    {"frmIgnrLst.lblCncMsg", "Ignore list error... Reinstall Tavlo to recover the problem."},
};

struct Measured {
    std::string face;
    SIZE need;
};

// The face the font resolves to and the text's extent in it: on one line, or
// broken into words within the width as a label draws it.
Measured measure(HWND h, HFONT font, const std::string& text, LONG wordBreakWidth = 0) {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    const std::wstring wide = platform::win32::widen(text);
    RECT r{0, 0, wordBreakWidth, 0};
    DrawTextW(dc, wide.c_str(), -1, &r,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wordBreakWidth ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return {platform::win32::narrow(face), {r.right, r.bottom}};
}

// A check box or option button no wider than high is a bare mark: its
// caption is hidden by its size and a label beside it carries the text.
bool bareMark(const Control& c) {
    return (c.kind() == Kind::CheckBox || c.kind() == Kind::Option) && c.width() <= c.height();
}

bool showsCaption(const Control& c) {
    const bool captioned =
        c.kind() == Kind::Label || c.kind() == Kind::Button || c.kind() == Kind::CheckBox || c.kind() == Kind::Option;
    return captioned && !c.caption().empty() && !bareMark(c) && c.hWnd() &&
           IsWindowVisible(reinterpret_cast<HWND>(c.hWnd()));
}

struct CaptionsTest : Win32Test {
    // The main window takes the splash window's icon, which loads the
    // splash; its unload at the end would complain, with a box nobody answers.
    ~CaptionsTest() override { core::frmSplash().ConfigurationLoaded = True; }

    // Shows the form with its timers stopped: the settings and list loads,
    // the animations and the countdowns stay out of this test.
    Form& shown(Form& f) {
        f.show();
        pump();
        stopTimers(f);
        return f;
    }

    // Every visible caption of the form that the user does not see whole, or
    // sees in another face: "form.control: text" and why.
    void check(Form& f) {
        for (auto& c : f.controls()) {
            if (!showsCaption(*c) || kCutByDesign.count({f.name() + "." + c->name(), c->caption()})) continue;
            HWND h = hwnd(c->hWnd());
            RECT box;
            GetClientRect(h, &box);
            SIZE room{box.right, box.bottom};
            Measured m;
            if (c->kind() == Kind::Label) {
                m = measure(h, fontOf(*c), c->caption(), room.cx);
            } else {  // one line, centred in the height
                m = measure(h, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), c->caption());
                room = {room.cx - (c->kind() == Kind::Button ? 2 * kButtonEdge : kMarkWidth), m.need.cy};
            }
            if (c->autoSize()) room = visiblePart(h);
            report(f.name() + "." + c->name(), c->caption(), c->font(), m, room);
        }
    }
    // A grid draws a cell's text on one line, 2 pixels in from each side.
    void checkCell(Form& f, Grid& grid, int col, const std::string& text) {
        const Measured m = measure(hwnd(grid.hWnd()), fontOf(grid), text);
        report(f.name() + "." + grid.name() + " column " + std::to_string(col), text, grid.font(), m,
               {px(grid.colWidth(col)) - 4, m.need.cy});
    }
    void report(const std::string& what, const std::string& text, const Font& font, const Measured& m, SIZE room) {
        std::string why;
        if (m.face != font.name) why += " drawn in " + m.face;
        if (m.need.cx > room.cx || m.need.cy > room.cy) why += " needs " + size(m.need) + " px, has " + size(room);
        if (!why.empty()) faults.insert(what + ": \"" + text + "\"" + why);
    }
    HFONT fontOf(const Control& c) {
        fonts.push_back(makeFont(c.font(), Scale::screen()));
        return fonts.back().get();
    }
    // An auto-sized label is as large as its text: what its container shows of it.
    static SIZE visiblePart(HWND h) {
        RECT parent, shown, r = placeOf(h);
        GetClientRect(GetParent(h), &parent);
        IntersectRect(&shown, &r, &parent);
        return {shown.right - shown.left, shown.bottom - shown.top};
    }
    static std::string size(SIZE s) { return std::to_string(s.cx) + "x" + std::to_string(s.cy); }

    std::vector<UniqueFont> fonts;
    std::set<std::string> faults;
};

TEST_F(CaptionsTest, EveryVisibleCaptionFitsItsBoxInTheFaceItNames) {
    auto& main = core::frm0();
    shown(main);
    for (auto open : {&core::Frm0::OpenScanPage, &core::Frm0::OpenSettingsPage, &core::Frm0::OpenHelpPage,
                      &core::Frm0::OpenAboutPage, &core::Frm0::ShowSuggestPanel}) {
        (main.*open)();
        pump();
        check(main);
    }
    // "[Ignored]" is wider than column 3 leaves it even in the face it names:
    // it shows cut, as designed.
    for (auto [col, text] : {std::pair{2, "Very Risky"}, {3, "Ignore"}, {4, "Delete"}, {4, "[Deleted]"}})
        checkCell(main, main.grid("MsfInfectd"), col, text);
    for (const char* status : {"Checking for new version...", "Risky Objects found: 12"}) {
        main.c("lblCncMsg").setCaption(status);
        check(main);
    }

    core::frmSplash().c("lblSplsInfo").setCaption("Info");
    check(shown(core::frmSplash()));
    check(shown(watch::frmNwUSB()));
    watch::frmNwUSB().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
    check(watch::frmNwUSB());
    watch::frmNwUSB().unload();
    watch::frmNwUScrn().c("lblMsg").setCaption("USB Memory Device Plugged (E:)");
    check(shown(watch::frmNwUScrn()));
    watch::frmNwUScrn().unload();

    main.ShowNewVersionPopup();
    auto& notice = shown(online::frmPopUp());
    check(notice);
    notice.c("lblClose").setCaption("Closing...");
    check(notice);

    auto& list = shown(scanner::frmIgnrLst());
    for (const char* status : {"Ignore list error... Reinstall Tavlo to recover the problem.",
                               "Added into the ignore list", "Already Added"}) {
        list.c("lblCncMsg").setCaption(status);
        check(list);
    }
    EXPECT_EQ(faults, std::set<std::string>{});
}

}  // namespace
}  // namespace tavlo::rt::win32::test
