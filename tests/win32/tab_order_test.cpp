// The keyboard under Wine: Tab and Shift+Tab walk the tell-a-friend panel's
// fields and its button in the order of the window's design, typed text
// lands in the field reached, and Tab leaving a bad address runs its check.
#include "WineHost.h"

#include "core/Frm0.h"
#include "core/FrmSplash.h"

namespace tavlo::rt::win32::test {
namespace {

struct TabOrderTest : OwnDesktop, Win32Test {
    TabOrderTest() {
        core::frmSplash().ConfigurationLoaded = True;  // its unload would ask, with a box nobody answers
        main.show();
        stopAllTimers();  // the settings load stays out of this test
        main.ShowSuggestPanel();
        main.c("txtmail2").setEnabled(true);  // as a refused empty own address leaves it
        auto& mail = main.c("txtFrndEM");
        mail.onKeyPress = [this, filter = mail.onKeyPress](int& key) {
            filtered += static_cast<char>(key);
            filter(key);
        };
        pump();
        SetFocus(hwnd(main.c("txtFrndNm").hWnd()));
    }
    // Tab (with Shift: back) as the keyboard gives it: to the window that has
    // the keyboard, through the program's yield, which translates keys.
    void tab(bool back = false) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = back ? 0x80 : 0;
        SetKeyboardState(state);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
        ui.doEvents();
    }
    // Characters as the translated keys bring them.
    void type(const std::string& text) {
        for (char ch : text) PostMessageW(GetFocus(), WM_CHAR, static_cast<unsigned char>(ch), 1);
        ui.doEvents();
    }
    std::string focused() {
        for (auto& c : main.controls())
            if (c->hWnd() && hwnd(c->hWnd()) == GetFocus()) return c->name();
        return "?";
    }

    core::Frm0& main = core::frm0();
    std::string filtered;  // the keys the friend's e-mail field's filter saw
};

TEST_F(TabOrderTest, TabAndShiftTabWalkThePanelInDesignOrderAndLeavingABadAddressRunsItsCheck) {
    const struct {
        const char* typed;
        bool back;
        const char* reached;
    } steps[] = {
        {"Bob", false, "txtFrndEM"},      {"bob@example.com", false, "txtName2"},
        {"Ann", false, "txtmail2"},       {"ann@example.com", false, "txtCommnt"},
        {"hi", false, "cmdSugst"},        {"", true, "txtCommnt"},
        {"", true, "txtmail2"},           {"", true, "txtName2"},
        {"", true, "txtFrndEM"},          {"", true, "txtFrndNm"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.reached);
        type(step.typed);
        tab(step.back);
        EXPECT_EQ(focused(), step.reached);
    }
    EXPECT_EQ(main.c("txtFrndNm").text(), "Bob");
    EXPECT_EQ(main.c("txtFrndEM").text(), "bob@example.com");
    EXPECT_EQ(main.c("txtCommnt").text(), "hi");
    EXPECT_EQ(filtered, "bob@example.com");

    tab();
    main.c("txtFrndEM").setText("bob");
    BoxCloser box(L"Tavlo");
    tab();
    EXPECT_EQ(box.text(), L"\r\nYour email address does not contain an @ sign.");
}

}  // namespace
}  // namespace tavlo::rt::win32::test
