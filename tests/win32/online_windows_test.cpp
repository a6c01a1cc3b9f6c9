// The tell-a-friend panel and the notice as real windows: the fields' limits
// and lines, the e-mail field's filter and check on typed keys, and the
// notice's frame, place and topmost state.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "online/FrmPopUp.h"
#include "platform/win32/Win32Services.h"
#include "runtime/win32/Win32Clock.h"
#include "runtime/win32/Win32Ui.h"

namespace tavlo::online {
namespace {

class OnlineWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        w.show();
        // The main window's load touched the splash (for its icon): as after a
        // start whose configuration loaded, it closes without a word.
        core::frmSplash().ConfigurationLoaded = rt::True;
        for (rt::Form* form : scope.app().forms()) {
            if (!form->loaded()) continue;
            for (auto& control : form->controls()) {
                if (auto* t = dynamic_cast<rt::Timer*>(control.get())) t->setEnabled(false);
            }
        }
        w.ShowSuggestPanel();
    }
    HWND hwndOf(const std::string& name) { return reinterpret_cast<HWND>(w.c(name).hWnd()); }
    void type(const std::string& field, const std::string& keys) {
        for (char k : keys) SendMessageW(hwndOf(field), WM_CHAR, static_cast<unsigned char>(k), 1);
    }

    std::unique_ptr<platform::win32::Win32System> sys = platform::win32::makeWin32System();
    rt::win32::Win32Ui ui;
    rt::win32::Win32Clock clock;
    rt::AppScope scope{ui, clock, sys->services};
    core::Frm0& w = core::frm0();
};

TEST_F(OnlineWindowsTest, FieldsTakeNoMoreTypedCharactersThanTheirLimit) {
    const std::pair<const char*, LRESULT> limits[] = {
        {"txtFrndNm", 60}, {"txtFrndEM", 130}, {"txtName2", 130}, {"txtmail2", 130}, {"txtCommnt", 200}};
    for (const auto& [field, limit] : limits) {
        EXPECT_EQ(SendMessageW(hwndOf(field), EM_GETLIMITTEXT, 0, 0), limit) << field;
    }
    type("txtFrndNm", std::string(65, 'n'));
    EXPECT_EQ(w.c("txtFrndNm").text(), std::string(60, 'n'));
    w.c("txtFrndNm").setText(std::string(70, 'm'));  // code is not held to the limit
    EXPECT_EQ(GetWindowTextLengthW(hwndOf("txtFrndNm")), 70);
}

TEST_F(OnlineWindowsTest, CommentTakesSeveralLinesTheOtherFieldsOne) {
    EXPECT_TRUE(GetWindowLongW(hwndOf("txtCommnt"), GWL_STYLE) & ES_MULTILINE);
    EXPECT_FALSE(GetWindowLongW(hwndOf("txtFrndNm"), GWL_STYLE) & ES_MULTILINE);
    type("txtCommnt", "one\rtwo");
    EXPECT_EQ(w.c("txtCommnt").text(), "one\r\ntwo");
}

TEST_F(OnlineWindowsTest, EmailFieldSwallowsTypedBlanksAndSignsAndLowerCasesOnLeaving) {
    type("txtFrndEM", "Bob +Grey@Example.COM");
    EXPECT_EQ(w.c("txtFrndEM").text(), "BobGrey@Example.COM");
    SendMessageW(hwndOf("txtFrndEM"), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(w.c("txtFrndEM").text(), "bobgrey@example.com");
    wchar_t shown[64] = {};
    GetWindowTextW(hwndOf("txtFrndEM"), shown, 64);
    EXPECT_STREQ(shown, L"bobgrey@example.com");
    EXPECT_EQ(w.c("txtFrndEM").backColor(), 0xE0E0E0u);
}

TEST_F(OnlineWindowsTest, NoticeIsAThinFramedTopmostWindowOffTheRightEdge) {
    w.ShowNewVersionPopup();
    HWND notice = reinterpret_cast<HWND>(frmPopUp().hWnd());
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(IsWindowVisible(notice));
    const LONG style = GetWindowLongW(notice, GWL_STYLE);
    EXPECT_NE(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(GetWindowLongW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(notice, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.right - r.left, 3570 / 15);
    EXPECT_EQ(r.bottom - r.top, 660 / 15);
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN) - 480 / 15);
}

}  // namespace
}  // namespace tavlo::online
