#include "Win32Fixture.h"

namespace tavlo::rt::win32::test {
namespace {

struct BrowseForm : Form {
    BrowseForm() : Form("frmBrowse") {}
    std::vector<std::string> events;
    FormDesign formDesign() override { return FormDesign{.caption = "Browse", .width = 5000, .height = 6000}; }
    void buildControls() override {
        add({.kind = Kind::DriveList, .name = "DriveX1", .left = 120, .top = 120, .width = 3000, .height = 315,
             .text = "c:"})
            .onChange = [this] { events.push_back("DriveX1.Change=" + c("DriveX1").text()); };
        auto& dir = add({.kind = Kind::FolderList, .name = "Dir1", .left = 120, .top = 600, .width = 3000,
                         .height = 3000, .text = "C:\\windows"});
        dir.onChange = [this] { events.push_back("Dir1.Change=" + c("Dir1").text()); };
        dir.onClick = [this] { events.push_back("Dir1.Click"); };
    }
};

struct ListsTest : Win32Test {
    BrowseForm& browse() { return app().instance<BrowseForm>(); }
    HWND list(const std::string& name) { return reinterpret_cast<HWND>(browse().c(name).hWnd()); }
    static std::wstring item(HWND h, UINT getText, UINT getLen, int i) {
        std::wstring s(SendMessageW(h, getLen, i, 0), L'\0');
        SendMessageW(h, getText, i, reinterpret_cast<LPARAM>(s.data()));
        return s;
    }
    static void notify(HWND child, WORD code) {
        SendMessageW(GetParent(child), WM_COMMAND, MAKEWPARAM(0, code), reinterpret_cast<LPARAM>(child));
    }
};

TEST_F(ListsTest, DriveListShowsTheDrivesWithTheCurrentOneChosen) {
    browse().show();
    HWND combo = list("DriveX1");
    const auto drives = sys->services.files.drives();
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(drives.size()));
    const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    ASSERT_GE(chosen, 0);
    EXPECT_EQ(item(combo, CB_GETLBTEXT, CB_GETLBTEXTLEN, static_cast<int>(chosen)), L"c:");
}

TEST_F(ListsTest, ChoosingADriveRaisesChangeOnceWithItsName) {
    browse().show();
    HWND combo = list("DriveX1");
    const LRESULT last = SendMessageW(combo, CB_GETCOUNT, 0, 0) - 1;
    ASSERT_GT(last, 0);
    const std::wstring name = item(combo, CB_GETLBTEXT, CB_GETLBTEXTLEN, static_cast<int>(last));
    SendMessageW(combo, CB_SETCURSEL, last, 0);
    notify(combo, CBN_SELCHANGE);
    ASSERT_EQ(browse().events.size(), 1u);
    EXPECT_EQ(browse().c("DriveX1").text(), std::string(name.begin(), name.end()));
}

TEST_F(ListsTest, FolderListShowsThePathThenItsSubfolders) {
    browse().show();
    HWND box = list("Dir1");
    EXPECT_EQ(item(box, LB_GETTEXT, LB_GETTEXTLEN, 0), L"C:\\");
    EXPECT_EQ(item(box, LB_GETTEXT, LB_GETTEXTLEN, 1), L"  windows");
    EXPECT_EQ(SendMessageW(box, LB_GETCURSEL, 0, 0), 1);
    bool system32 = false;
    for (int i = 2; i < SendMessageW(box, LB_GETCOUNT, 0, 0); ++i) {
        system32 |= lstrcmpiW(item(box, LB_GETTEXT, LB_GETTEXTLEN, i).c_str(), L"    system32") == 0;
    }
    EXPECT_TRUE(system32);
}

TEST_F(ListsTest, SingleClickRaisesClickAndDoubleClickOpensTheFolder) {
    browse().show();
    HWND box = list("Dir1");
    SendMessageW(box, LB_SETCURSEL, 0, 0);
    notify(box, LBN_SELCHANGE);
    EXPECT_EQ(browse().events, (std::vector<std::string>{"Dir1.Click"}));
    notify(box, LBN_DBLCLK);
    EXPECT_EQ(browse().events.back(), "Dir1.Change=C:\\");
    EXPECT_EQ(browse().events.size(), 2u);
    EXPECT_EQ(item(box, LB_GETTEXT, LB_GETTEXTLEN, 0), L"C:\\");
    EXPECT_EQ(SendMessageW(box, LB_GETCURSEL, 0, 0), 0);
}

TEST_F(ListsTest, EachMouseClickRaisesOneClickOnTheChosenEntryOrAnother) {
    browse().show();
    HWND box = list("Dir1");
    auto clickItem = [box](int i) {
        RECT item{};
        SendMessageW(box, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 4, item.top + 2);
        SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(box, WM_LBUTTONUP, 0, at);
    };
    clickItem(1);  // "windows", already chosen
    EXPECT_EQ(browse().events, (std::vector<std::string>{"Dir1.Click"}));
    clickItem(0);
    EXPECT_EQ(browse().events, (std::vector<std::string>{"Dir1.Click", "Dir1.Click"}));
    EXPECT_EQ(browse().c("Dir1").text(), "C:\\windows");
}

TEST_F(ListsTest, UnreadableFolderShowsItsPathAndNoSubfolders) {
    browse().show();
    browse().c("Dir1").setText("C:\\no such folder");
    HWND box = list("Dir1");
    EXPECT_EQ(SendMessageW(box, LB_GETCOUNT, 0, 0), 2);
}

}  // namespace
}  // namespace tavlo::rt::win32::test
