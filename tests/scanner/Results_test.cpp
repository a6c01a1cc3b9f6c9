#include "scanner/ScannerFixture.h"

namespace tavlo::testsupport {
namespace {

using platform::AttrHidden;
const Texts kIgnored{"Risky", "[Ignored]", "Delete"};
const Texts kDeleted{"Risky", "Ignore", "[Deleted]"};
const std::string kConfirm = "Delete  permanently. Continue?                    ";

struct Results : ScannerTest {
    void refresh() { c("txtLastRow").append("."); }
    void fill(int rows) {
        for (int i = 0; i < rows; ++i) addRow("E:\\f" + std::to_string(grid().rows()) + ".exe");
    }
    std::string buttons() { return std::string(shown("cmdIgn") ? "Ign" : "") + (shown("cmdDel") ? "Del" : ""); }
};

TEST_F(Results, RefreshScrollsToTheLastThirteenRowsAndSaysSo) {
    for (auto [rows, top] : {std::pair{12, 5}, {13, 1}, {19, 7}}) {  // data rows, first row shown
        grid().setRows(1);
        fill(rows);
        grid().setTopRow(5);
        refresh();
        EXPECT_EQ(grid().topRow(), top) << rows;
    }
    const std::pair<const char*, const char*> status[] = {
        {"rISKY oBJECTS fOUND: 12", "Refreshing..."}, {"Risky Objects found", "Refreshing..."},
        {"", "\r\nRefreshing..."}, {"Risky Objects foun", "Risky Objects foun\r\nRefreshing..."},
        {"xRisky Objects found", "xRisky Objects found\r\nRefreshing..."}};
    for (auto [before, after] : status) {
        c("lblCncMsg").setCaption(before);
        refresh();
        EXPECT_EQ(c("lblCncMsg").caption(), after);
    }
}

TEST_F(Results, RefreshMarksEveryListedPathAndClearsTheIgnoreCellOfAnApostrophe) {
    grid().setEnabled(false);
    h.sys.files.calls.clear();
    refresh();
    EXPECT_TRUE(h.sys.files.calls.empty() && !grid().enabled()) << "a grid without rows opens no database";
    const int plain = addRow("E:\\a.exe"), listed = addRow("E:\\b.exe"), deleted = addRow("E:\\c.exe", 0, 1, kDeleted);
    const int aborted = addAbortRow(), quoted = addRow("E:\\it's.exe");
    for (const char* p : {"E:\\b.exe", "E:\\c.exe", "Scanning Aborted...", "E:\\it's.exe"}) listPath(p);
    h.ui.pointers.clear();
    refresh();
    EXPECT_EQ(actions(plain) + actions(listed) + actions(deleted) + actions(aborted) + actions(quoted),
              "Risky|Ignore|DeleteRisky|[Ignored]|DeleteRisky|[Ignored]|[Deleted]|[Ignored]|Risky||Delete");
    EXPECT_TRUE(grid().enabled());
    EXPECT_EQ(h.ui.pointers, (std::vector<int>{rt::PointerHourglass, rt::PointerDefault}));
    breakIgnoreTable();
    addRow("E:\\new.exe");
    refresh();
    EXPECT_EQ(column(3).back() + std::to_string(h.ui.pointers.back()), "Ignore0");
}

TEST_F(Results, RowButtonsFloatOverTheCellsOfTheClickedRowAndShowOnlyWhatItOffers) {
    const std::pair<int, const char*> cases[] = {
        {0, ""}, {addRow("E:\\a.exe", 0, 1, kDeleted), ""}, {addAbortRow(), ""},
        {addRow("", 0, false), ""}, {addRow("E:\\b.exe", 0, 1, kIgnored), "Del"},
        {addRow("E:\\c.exe", 0, 1, {"Risky", "", ""}), "Del"}, {addRow("E:\\it's.exe"), "Del"},
        {addRow("\\\\server\\share\\a.exe", 0, false), "IgnDel"}};
    fill(12);
    for (auto [row, offered] : cases) {
        click(10);
        click(row);
        EXPECT_EQ(buttons(), offered) << row;
    }
    EXPECT_EQ(c("lblScaning").caption() + c("lblFF2Kill").caption(), "") << "a path not on a drive";
    grid().setTopRow(8);
    click(10, 2);
    EXPECT_EQ(f().SelectedRow * 10 + f().SelectedCol, 102);
    // The grid stands at 2860, 2640; its columns are 0, 4780, 1000, 600 and 700 wide.
    auto place = [&](const char* b) { return std::vector<int>{c(b).left(), c(b).top(), c(b).width(), c(b).height()}; };
    EXPECT_EQ(place("cmdIgn"), (std::vector<int>{2860 + 5780, 2640 + 3 * 240, 600, 240}));
    EXPECT_EQ(place("cmdDel"), (std::vector<int>{2860 + 6380, 2640 + 3 * 240, 700, 240}));
    EXPECT_EQ(buttons() + c("lblScaning").caption() + "|" + c("lblFF2Kill").caption(), "IgnDelE:\\f10.exe|E:\\f10.exe");
    EXPECT_TRUE(shown("lblScaning") && !shown("lblFF2Kill"));
    grid().setTopRow(9);
    grid().clickCell(99, 1);  // a row the grid does not hold is reported
    EXPECT_EQ(buttons() + h.ui.dialogs.at(0).title, "An Error Occured");
}

TEST_F(Results, DeleteButtonIsCutAtTheScrollBarOrHidden) {
    const int r = addRow("E:\\a.exe");
    const std::tuple<int, int, const char*, int> cases[] = {  // grid width, delete column: buttons, width
        {7230, 700, "IgnDel", 600}, {6790, 700, "IgnDel", 160}, {6789, 700, "Ign", 159},
        {6500, 700, "Ign", 700},    {6670, 30, "Ign", 30},      {6680, 30, "IgnDel", 30}};
    for (auto [width, column, offered, cut] : cases) {
        grid().setColWidth(4, column);
        grid().setWidth(width);
        click(r);
        EXPECT_EQ(buttons() + std::to_string(c("cmdDel").width()), offered + std::to_string(cut)) << width;
        EXPECT_EQ(c("cmdIgn").width(), 600);
    }
}

TEST_F(Results, IgnoreAddsThePathOfARowThatOffersItAndMarksTheRow) {
    const std::string fits = "E:\\" + std::string(248, 'x') + ".exe";
    const int a = addRow("E:\\a.exe"), b = addRow("E:\\b.exe"), ok = addRow(fits, 0, false);
    const int tooLong = addRow(fits + "x", 0, false), quoted = addRow("E:\\it's.exe");
    const int deleted = addRow("E:\\c.exe", 0, 1, kDeleted), aborted = addAbortRow();
    grid().setEnabled(false);
    h.app().setScreenPointer(rt::PointerHourglass);
    c("txtLastRow").append(".");  // the refresh without a database leaves the rows as they are
    EXPECT_TRUE(grid().enabled() && h.ui.pointers.back() == rt::PointerDefault && cell(b, 3) == "Ignore");
    pressIgnore(a);
    EXPECT_EQ(c("lblCncMsg").caption(), "Ignore list error...\r\nReinstall Tavlo to recover the problem.");
    listPath("E:\\b.exe");
    for (int row : {0, quoted, deleted, aborted}) {
        grid().setMouseCell(row, 3);
        f().IgnoreSelectedResult();
    }
    pressIgnore(tooLong);
    EXPECT_EQ(h.ui.prompts(), Texts{"Too big.... cannot add"});
    EXPECT_EQ(h.ui.dialogs.at(0).style, 64);
    click(a, 3);
    grid().setMouseCell(quoted, 3);  // the pointer crossed another row on its way
    c("cmdIgn").click();
    EXPECT_EQ(c("lblCncMsg").caption() + buttons(), "Added into the ignore list");
    EXPECT_TRUE(shown("picCncMsg"));
    pressIgnore(b);
    EXPECT_EQ(c("lblCncMsg").caption() + std::to_string(closings()), "Already Added0");
    for (int row : {tooLong, quoted}) grid().setTextMatrix(row, 4, "");
    pressIgnore(ok);
    EXPECT_EQ(closings(), 1u);
    EXPECT_EQ(listed(), (Texts{"E:\\b.exe", "E:\\a.exe", fits}));
    breakIgnoreTable();
    pressIgnore(addRow("E:\\z.exe"));
    EXPECT_EQ(column(3), (Texts{"[Ignored]", "[Ignored]", "[Ignored]", "Ignore", "Ignore", "Ignore", "", "Ignore"}));
    EXPECT_EQ(c("lblCncMsg").caption() + std::to_string(h.ui.dialogs.size()), "Unknown error... d11");
}

TEST_F(Results, DeleteAsksOnceOrTwiceResetsTheAttributesAndReportsARefusal) {
    const int r = addRow("E:\\a.exe", AttrHidden | platform::AttrSystem | platform::AttrReadOnly);
    const int ignored = addRow("E:\\b.exe", 0, 1, kIgnored), refused = addRow("E:\\c.exe");
    const int share = addRow("\\\\server\\share\\a.exe", 0, false);
    h.sys.files.setUndeletable("E:\\c.exe");
    h.ui.answers = {rt::No, rt::Yes, rt::No, rt::Yes, rt::Yes, rt::Yes, rt::Yes, rt::Abort, rt::Yes, rt::Abort};
    for (int i = 0; i < 2; ++i) pressDelete(ignored);
    EXPECT_TRUE(h.sys.files.exists("E:\\b.exe") && shown("cmdDel") && cell(ignored, 4) == "Delete");
    pressDelete(ignored);
    h.sys.files.calls.clear();
    pressDelete(r);
    EXPECT_EQ(h.sys.files.calls, (Texts{"resetAttributes E:\\a.exe", "remove E:\\a.exe"}));
    EXPECT_EQ(actions(r) + actions(ignored), "||[Deleted]||[Deleted]");
    EXPECT_EQ(buttons() + c("lblScaning").caption() + "|" + c("lblCncMsg").caption(), "|Deleted");
    EXPECT_TRUE(shown("picCncMsg"));
    pressDelete(refused);
    pressDelete(share);
    EXPECT_EQ(actions(refused) + actions(share) + std::to_string(closings()), "Risky|Ignore|DeleteRisky|Ignore|Delete0");
    const std::string warn = "Warning!! This item is in your ignore list?                    \r\n" + kConfirm;
    EXPECT_EQ(h.ui.dialogs[2].prompt + std::to_string(h.ui.dialogs[2].style), warn + "4");
    EXPECT_EQ(h.ui.dialogs[7].prompt + "|" + h.ui.dialogs[7].title, "Permission denied|An Error Occured");
    EXPECT_EQ(h.ui.dialogs[9].style * 10 + h.ui.pointers.back(), 180);
    grid().setTextMatrix(share, 4, "");
    h.ui.answers = {rt::Yes, rt::Ignore};
    pressDelete(refused);
    EXPECT_EQ(actions(refused) + std::to_string(h.sys.files.exists("E:\\c.exe") + closings()), "||[Deleted]2");
    f().SelectedRow = addAbortRow();
    c("cmdDel").click();
    EXPECT_EQ(h.ui.prompts(), (Texts{kConfirm, kConfirm, warn, kConfirm, warn, kConfirm, kConfirm, "Permission denied",
                                     kConfirm, "File not found", kConfirm, "Permission denied"}));
}

TEST_F(Results, DeleteAllDeletesWhatTheNormalFileSearchFinds) {
    const int hidden = addRow("E:\\hidden.exe", AttrHidden), visible = addRow("E:\\visible.exe", platform::AttrReadOnly);
    const int refused = addRow("E:\\refused.exe");
    h.sys.files.setUndeletable("E:\\refused.exe");
    addRow("E:\\i.exe", 0, 1, kIgnored), addRow("E:\\d.exe", 0, 1, kDeleted), addAbortRow();
    h.ui.onDoEvents = [&] {
        EXPECT_TRUE(!grid().enabled() && h.ui.pointers.back() == rt::PointerHourglass);
        if (grid().rows() == 7) addRow("E:\\late.exe");
    };
    h.ui.answers = {rt::No};
    for (int i = 0; i < 2; ++i) c("cmdDeltAll").click();
    EXPECT_EQ(h.ui.prompts(), Texts(2, "Confirm remove all items                    "));
    EXPECT_EQ(h.ui.dialogs[1].style, 68);
    EXPECT_EQ(h.sys.files.attributes("E:\\hidden.exe") + h.sys.files.exists("E:\\visible.exe"), AttrHidden);
    EXPECT_EQ(actions(hidden) + actions(visible) + actions(refused), "Risky||Risky||[Deleted]Risky|Ignore|Delete");
    for (const char* kept : {"E:\\i.exe", "E:\\d.exe", "E:\\late.exe"}) EXPECT_TRUE(h.sys.files.exists(kept)) << kept;
    EXPECT_EQ(h.ui.doEventsCount + closings(), 1u) << "one yield, and two open rows";
    EXPECT_TRUE(grid().enabled() && h.ui.pointers.back() == rt::PointerDefault);
    for (int row : {refused, 7}) grid().setTextMatrix(row, 3, "[Ignored]");
    c("cmdDeltAll").click();
    EXPECT_EQ(closings(), 1u);
    c("cmdIgnrLst").click();
    EXPECT_TRUE(scanner::frmIgnrLst().visible() && !scanner::frmIgnrLst().modal());
}

}  // namespace
}  // namespace tavlo::testsupport
