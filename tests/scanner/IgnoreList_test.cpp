#include <gtest/gtest.h>

#include "scanner/FrmIgnrLst.h"
#include "scanner/IgnoreDbFixture.h"

namespace tavlo::scanner {
namespace {

using Texts = std::vector<std::string>;

const std::string kConfirm = "Confirm remove from ignore list.                    ";

struct IgnoreListWindowTest : ::testing::Test {
    testing::TempFolder folder;  // of the databases; outlives the program
    platform::fake::HeadlessApp h;
    FrmIgnrLst& w() { return frmIgnrLst(); }
    rt::Grid& g() { return w().grid("MsfInfectd"); }

    // Opens the window as the "White List" button does and lets its load run.
    void open() {
        w().show();
        h.clock.advance(10);
    }
    void clickRow(int row) { g().clickCell(row, 1); }
    std::vector<std::string> column(int col) {
        std::vector<std::string> cells;
        for (int r = g().fixedRows(); r < g().rows(); ++r) cells.push_back(g().textMatrix(r, col));
        return cells;
    }
};

struct IgnoreListWithoutDb : IgnoreListWindowTest {};

struct IgnoreListWindow : IgnoreListWindowTest {
    testsupport::IgnoreDb db{h, folder};
};

TEST_F(IgnoreListWindow, EmptyTableShowsNillAndOffersNothing) {
    open();
    EXPECT_EQ(g().rows(), 1);
    EXPECT_EQ(g().cols(), 1);
    EXPECT_EQ(g().fixedRows(), 0);
    EXPECT_EQ(g().colWidth(0), 5000);
    EXPECT_EQ(g().textMatrix(0, 0), "Nill");
    EXPECT_FALSE(w().c("cmdDelIgnr").enabled());
    clickRow(0);
    EXPECT_FALSE(w().c("cmdDel").visible());
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
}

TEST_F(IgnoreListWindow, LoadListsEveryEntryOnceAfterTheWindowOpens) {
    db.add("E:\\a.exe");
    db.add("F:\\b c\\d.com");
    w().show();
    EXPECT_EQ(w().c("lblCncMsg").caption(), "");
    EXPECT_EQ(g().rows(), 2) << "nothing is read before the timer fires";
    h.clock.advance(10);
    ASSERT_EQ(g().rows(), 3);
    EXPECT_EQ(g().textMatrix(0, 1), "Object to ignore");
    EXPECT_EQ(column(1), (Texts{"E:\\a.exe", "F:\\b c\\d.com"}));
    EXPECT_EQ(column(2), (Texts{"Don't Ignore", "Don't Ignore"}));
    EXPECT_NE(g().textMatrix(1, 0), g().textMatrix(2, 0));
    EXPECT_EQ(g().colWidth(0), 0);
    EXPECT_EQ(g().colWidth(1), 6000);
    EXPECT_EQ(g().colWidth(2), 2000);
    EXPECT_TRUE(w().c("cmdDelIgnr").enabled());
    EXPECT_FALSE(w().timer("tmrLoad").enabled());

    db.add("G:\\late.exe");
    w().show();
    h.clock.advance(1000);
    EXPECT_EQ(g().rows(), 3) << "showing an open window loads nothing";
    w().c("cmdRfrsh").click();
    EXPECT_EQ(g().rows(), 4);
}

TEST_F(IgnoreListWindow, RefreshFromNillToListAndBack) {
    open();
    db.add("E:\\a.exe");
    w().c("cmdRfrsh").click();
    EXPECT_EQ(g().cols(), 3);
    EXPECT_EQ(g().fixedRows(), 1);
    EXPECT_EQ(column(1), (Texts{"E:\\a.exe"}));
    clickRow(1);
    w().c("cmdDel").click();
    w().c("cmdRfrsh").click();
    EXPECT_EQ(g().textMatrix(0, 0), "Nill");
    EXPECT_FALSE(w().c("cmdDelIgnr").enabled());
}

TEST_F(IgnoreListWindow, AddedPathIsReportedButShownOnlyAfterRefresh) {
    open();
    h.ui.inputs.push_back("  E:\\new.exe  ");
    w().c("cmdAddIt").click();
    EXPECT_EQ(w().c("lblCncMsg").caption(), "Added into the ignore list");
    EXPECT_EQ(db.paths(), (Texts{"E:\\new.exe"})) << "blanks around the path are not stored";
    EXPECT_EQ(g().textMatrix(0, 0), "Nill");
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    EXPECT_EQ(h.ui.dialogs[0].prompt, "Enter an item into the ignore list");
    EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
    w().c("cmdRfrsh").click();
    EXPECT_EQ(column(1), (Texts{"E:\\new.exe"}));
}

TEST_F(IgnoreListWindow, AddingAListedPathChangesNothing) {
    db.add("E:\\a.exe");
    open();
    h.ui.inputs.push_back("E:\\a.exe");
    w().c("cmdAddIt").click();
    EXPECT_EQ(w().c("lblCncMsg").caption(), "Already Added");
    EXPECT_EQ(db.paths(), (Texts{"E:\\a.exe"}));
}

TEST_F(IgnoreListWindow, LengthBoundaryIsTwoHundredFiftyFiveCharacters) {
    open();
    const std::string fits = "E:\\" + std::string(252, 'x');
    const std::string tooLong = fits + "y";
    // Two-byte characters count once each.
    std::string wide = "E:\\";
    for (int i = 0; i < 252; ++i) wide += "\xC3\xA9";
    h.ui.inputs = {tooLong, fits, wide, wide + "\xC3\xA9"};
    for (int i = 0; i < 4; ++i) w().c("cmdAddIt").click();
    EXPECT_EQ(db.paths(), (Texts{fits, wide}));
    ASSERT_EQ(h.ui.prompts(), (std::vector<std::string>{"Too big.... cannot add", "Too big.... cannot add"}));
    EXPECT_EQ(h.ui.dialogs[1].style, 64);
}

TEST_F(IgnoreListWindow, TypedTextChecksRunInOrder) {
    open();
    h.ui.inputs = {"E:/a.exe", "\\\\server\\share\\a.exe", "E:\\it's.exe", "\\\\it's", std::nullopt, "   "};
    for (int i = 0; i < 6; ++i) w().c("cmdAddIt").click();
    EXPECT_EQ(h.ui.prompts(), (Texts{"Enter a normal path.", "Enter a normal path.", "Invalid Character(s) entered.",
                                       "Enter a normal path."}));
    for (auto& d : h.ui.dialogs) {
        if (d.kind == "msgbox") {
            EXPECT_EQ(d.style, 48);
        }
    }
    EXPECT_TRUE(db.paths().empty());
    EXPECT_EQ(w().c("lblCncMsg").caption(), "");
}

TEST_F(IgnoreListWindow, RemoveButtonFloatsOverTheClickedRow) {
    db.add("E:\\a.exe");
    db.add("E:\\b.exe");
    open();
    clickRow(2);
    auto& del = w().c("cmdDel");
    ASSERT_TRUE(del.visible());
    EXPECT_EQ(w().ClickedRow, 2);
    EXPECT_EQ(del.left(), g().left() + 6000);
    EXPECT_EQ(del.width(), 2000);
    EXPECT_EQ(del.top(), g().top() + 2 * g().rowHeight());
    EXPECT_EQ(del.height(), 255);
}

TEST_F(IgnoreListWindow, RemovingOneEntryMarksItsRow) {
    db.add("E:\\a.exe");
    db.add("E:\\b.exe");
    open();
    clickRow(1);
    h.ui.answers.push_back(rt::No);
    w().c("cmdDel").click();
    EXPECT_EQ(db.paths(), (Texts{"E:\\a.exe", "E:\\b.exe"}));
    EXPECT_TRUE(w().c("cmdDel").visible());

    h.ui.answers.push_back(rt::Yes);
    w().c("cmdDel").click();
    EXPECT_EQ(db.paths(), (Texts{"E:\\b.exe"}));
    EXPECT_EQ(column(2), (Texts{"[Removed]", "Don't Ignore"}));
    EXPECT_FALSE(w().c("cmdDel").visible());
    EXPECT_EQ(h.ui.dialogs.back().prompt, kConfirm);
    EXPECT_EQ(h.ui.dialogs.back().style, 68);

    clickRow(1);
    EXPECT_FALSE(w().c("cmdDel").visible());
}

TEST_F(IgnoreListWindow, HeaderClickPlacesButtonThatRemovesNothing) {
    db.add("E:\\a.exe");
    open();
    clickRow(1);
    clickRow(0);
    ASSERT_TRUE(w().c("cmdDel").visible());
    EXPECT_EQ(w().c("cmdDel").top(), g().top() + g().rowHeight()) << "over the current row";
    w().c("cmdDel").click();
    EXPECT_EQ(h.ui.prompts(), (Texts{kConfirm}));
    EXPECT_EQ(db.paths(), (Texts{"E:\\a.exe"}));
    EXPECT_EQ(column(2), (Texts{"Don't Ignore"}));
}

TEST_F(IgnoreListWindow, ClearRemovesOnlyTheListedEntries) {
    db.add("E:\\a.exe");
    db.add("E:\\b.exe");
    open();
    db.add("E:\\late.exe");
    h.ui.answers.push_back(rt::No);
    w().c("cmdDelIgnr").click();
    EXPECT_EQ(db.paths().size(), 3u);

    w().c("cmdDelIgnr").click();
    EXPECT_EQ(db.paths(), (Texts{"E:\\late.exe"}));
    EXPECT_EQ(column(2), (Texts{"[Removed]", "[Removed]"}));
    EXPECT_TRUE(w().c("cmdAddIt").enabled());
    EXPECT_TRUE(w().c("cmdRfrsh").enabled());
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);

    w().c("cmdDelIgnr").click();
    EXPECT_EQ(db.paths(), (Texts{"E:\\late.exe"})) << "a second clear finds nothing to remove";
}

TEST_F(IgnoreListWindow, ClearLeavesTheRemoveButtonWhereItIs) {
    db.add("E:\\a.exe");
    open();
    clickRow(1);
    w().c("cmdDelIgnr").click();
    EXPECT_TRUE(w().c("cmdDel").visible());
    h.ui.inputs.push_back(std::nullopt);
    w().c("cmdAddIt").click();
    EXPECT_FALSE(w().c("cmdDel").visible());
}

TEST_F(IgnoreListWindow, UnreadableTableIsReportedAndTheWindowStaysUsable) {
    db.add("E:\\a.exe");
    db.breakTable();
    h.ui.answers = {rt::Abort};
    open();
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    EXPECT_EQ(h.ui.dialogs[0].title, "An Error Occured");
    EXPECT_EQ(g().rows(), 1);
    EXPECT_FALSE(w().c("cmdDelIgnr").enabled());
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
}

TEST_F(IgnoreListWindow, FailingClearGivesTheButtonsBackEvenAfterAbort) {
    db.add("E:\\a.exe");
    db.add("E:\\b.exe");
    open();
    db.breakTable();
    h.ui.answers = {rt::Yes, rt::Abort};
    w().c("cmdDelIgnr").click();
    ASSERT_EQ(h.ui.dialogs.size(), 2u);
    EXPECT_EQ(h.ui.dialogs[1].title, "An Error Occured");
    EXPECT_EQ(column(2), (Texts{"Don't Ignore", "Don't Ignore"}));
    EXPECT_TRUE(w().c("cmdAddIt").enabled());
    EXPECT_TRUE(w().c("cmdRfrsh").enabled());
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
}

TEST_F(IgnoreListWindow, FailingRemovalEndsSilently) {
    db.add("E:\\a.exe");
    open();
    db.breakTable();
    clickRow(1);
    w().c("cmdDel").click();
    EXPECT_EQ(h.ui.dialogs.size(), 1u) << "only the question";
    EXPECT_EQ(column(2), (Texts{"Don't Ignore"}));
}

TEST_F(IgnoreListWithoutDb, MissingDatabaseLeavesTheWindowUsable) {
    open();
    EXPECT_EQ(g().rows(), 1);
    EXPECT_EQ(g().cols(), 3);
    EXPECT_EQ(g().fixedRows(), 1);
    EXPECT_FALSE(w().c("cmdDelIgnr").enabled());
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);

    h.ui.inputs.push_back("E:\\a.exe");
    w().c("cmdAddIt").click();
    EXPECT_EQ(w().c("lblCncMsg").caption(), "Ignore list error... Reinstall Tavlo to recover the problem.");
    EXPECT_TRUE(h.ui.prompts().empty());
}

TEST_F(IgnoreListWithoutDb, LayoutKeepsTheMinimumSizeAndAlignsTheButtons) {
    w().show();
    w().move(0, 0, 8000, 3000);
    EXPECT_EQ(w().width(), 10000);
    EXPECT_EQ(w().height(), 3500);
    EXPECT_EQ(g().height(), 3500 - 1215);

    w().setWidth(12000);
    auto& clear = w().c("cmdDelIgnr");
    auto& addItem = w().c("cmdAddIt");
    auto& refresh = w().c("cmdRfrsh");
    EXPECT_EQ(g().width(), 11550);
    EXPECT_EQ(g().left(), 165);
    EXPECT_EQ(clear.left() + clear.width(), g().left() + g().width());
    EXPECT_EQ(addItem.left(), clear.left() - addItem.width() - 300);
    EXPECT_EQ(refresh.left(), addItem.left() - refresh.width() - 300);
    EXPECT_EQ(refresh.top(), g().top() + g().height() + 60);
    EXPECT_EQ(addItem.top(), refresh.top());
    EXPECT_EQ(clear.top(), refresh.top());
    EXPECT_EQ(w().c("lblCncMsg").top(), refresh.top() + 60);
    EXPECT_EQ(g().top(), 240);
}

}  // namespace
}  // namespace tavlo::scanner
