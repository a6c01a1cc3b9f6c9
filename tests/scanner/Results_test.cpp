#include "scanner/ScannerFixture.h"

namespace tavlo::testsupport {
namespace {

const Texts kIgnored{"Risky", "[Ignored]", "Delete"};
const Texts kDeleted{"Risky", "Ignore", "[Deleted]"};
const std::string kBlanks20(20, ' ');
const std::string kOpen = "Risky|Ignore|Delete";
const std::string kConfirm = "Delete  permanently. Continue?" + kBlanks20;

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
        {"Risky Objects foun", "Risky Objects foun\r\nRefreshing..."}, {"x", "x\r\nRefreshing..."}};
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
    EXPECT_TRUE(grid().enabled() && h.ui.pointers == std::vector<int>({rt::PointerHourglass, rt::PointerDefault}));
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
    EXPECT_EQ(grid().colWidth(5) + grid().colWidth(6), 0) << "the hidden columns";
    // The grid stands at 2860, 2640; its columns are 0, 4780, 1000, 600 and 700 wide.
    auto place = [&](const char* b) { return std::vector<int>{c(b).left(), c(b).top(), c(b).width(), c(b).height()}; };
    EXPECT_EQ(place("cmdIgn"), (std::vector<int>{2860 + 5780, 2640 + 3 * 240, 600, 240}));
    EXPECT_EQ(place("cmdDel"), (std::vector<int>{2860 + 6380, 2640 + 3 * 240, 700, 240}));
    EXPECT_EQ(buttons() + c("lblScaning").caption() + "|" + c("lblFF2Kill").caption(), "IgnDelE:\\f10.exe|E:\\f10.exe");
    EXPECT_TRUE(shown("lblScaning") && !shown("lblFF2Kill"));
    grid().clickCell(99, 1);  // a row the grid does not hold is reported
    EXPECT_EQ(buttons() + h.ui.dialogs.at(0).title, "IgnAn Error Occured");
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
        EXPECT_EQ(buttons() + std::to_string(c("cmdDel").width() * 1000 + c("cmdIgn").width()),
                  offered + std::to_string(cut * 1000 + 600)) << width;
    }
}

TEST_F(Results, IgnoreAddsThePathOfARowThatOffersItAndMarksTheRow) {
    const std::string fits = "E:\\" + std::string(248, 'x') + ".exe";
    const int a = addRow("E:\\a.exe"), b = addRow("E:\\b.exe"), ok = addRow(fits, 0, false);
    const int tooLong = addRow(fits + "x", 0, false), quoted = addRow("E:\\it's.exe");
    const int deleted = addRow("E:\\c.exe", 0, 1, kDeleted), aborted = addAbortRow();
    for (int row : {0, quoted, deleted, aborted}) {
        grid().setMouseCell(row, 3);
        f().IgnoreSelectedResult();
    }
    grid().setEnabled(false);
    refresh();  // without a database the rows stay as they are
    EXPECT_TRUE(grid().enabled() && cell(b, 3) == "Ignore");
    click(a, 3);
    grid().setEnabled(false);
    c("cmdIgn").click();
    EXPECT_EQ(c("lblCncMsg").caption() + std::to_string(grid().enabled()),
              "Ignore list error...\r\nReinstall Tavlo to recover the problem.1");
    listPath("E:\\b.exe");
    pressIgnore(tooLong);
    EXPECT_EQ(h.ui.prompts(), Texts{"Too big.... cannot add"});
    EXPECT_EQ(h.ui.dialogs.at(0).style, 64);
    click(a, 3);
    c("picCncMsg").setVisible(false);
    grid().setEnabled(false);
    h.app().setScreenPointer(rt::PointerHourglass);
    grid().setMouseCell(quoted, 3);  // the pointer crossed another row on its way
    c("cmdIgn").click();
    EXPECT_EQ(c("lblCncMsg").caption() + buttons() + std::to_string(shown("picCncMsg") * 100 + grid().enabled() * 10 +
                                                                    h.app().screenPointer()),
              "Added into the ignore list110");
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
    const int r = addRow("E:\\a.exe", platform::AttrHidden | platform::AttrSystem | platform::AttrReadOnly);
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
    EXPECT_EQ(buttons() + c("lblScaning").caption() + c("lblCncMsg").caption() + std::to_string(shown("picCncMsg")),
              "Deleted1");
    pressDelete(refused);
    pressDelete(share);
    EXPECT_EQ(actions(refused) + actions(share) + std::to_string(closings()), kOpen + kOpen + "0");
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
    const int hidden = addRow("E:\\hidden.exe", platform::AttrHidden);
    const int visible = addRow("E:\\visible.exe", platform::AttrReadOnly);
    const int refused = addRow("E:\\refused.exe");
    h.sys.files.setUndeletable("E:\\refused.exe");
    addRow("E:\\i.exe", 0, 1, kIgnored), addRow("E:\\d.exe", 0, 1, kDeleted), addAbortRow();
    click(refused, 4);  // the row buttons shown stay as they are
    h.ui.onDoEvents = [&] {
        EXPECT_TRUE(!grid().enabled() && h.ui.pointers.back() == rt::PointerHourglass && buttons() == "IgnDel");
    };
    c("cmdDeltAll").click();
    const auto& asked = h.ui.dialogs.at(0);
    EXPECT_EQ(asked.prompt + std::to_string(asked.style), "Confirm remove all items" + kBlanks20 + "68");
    EXPECT_EQ(h.sys.files.attributes("E:\\hidden.exe") + h.sys.files.exists("E:\\visible.exe"), platform::AttrHidden);
    EXPECT_EQ(actions(hidden) + actions(visible) + actions(refused), "Risky||Risky||[Deleted]" + kOpen);
    for (const char* kept : {"E:\\i.exe", "E:\\d.exe"}) EXPECT_TRUE(h.sys.files.exists(kept)) << kept;
    EXPECT_EQ(h.ui.doEventsCount + closings(), 1u) << "one yield, and the refused row is open";
    EXPECT_TRUE(grid().enabled() && h.ui.pointers.back() == rt::PointerDefault && buttons() == "IgnDel");
    grid().setTextMatrix(refused, 3, "[Ignored]");
    c("cmdDeltAll").click();
    EXPECT_EQ(closings(), 1u);
    c("cmdIgnrLst").click();
    EXPECT_TRUE(scanner::frmIgnrLst().visible() && !scanner::frmIgnrLst().modal());
}

// Closing the full-desktop alert rebuilds the main window: the run stops, and
// the rows a new scan puts into the new grid keep their files and cells.
TEST_F(Results, DeleteAllStopsWhenTheWindowIsRebuiltDuringAYield) {
    for (const char* p : {"E:\\a.exe", "E:\\b.exe", "E:\\c.exe"}) addRow(p);
    bool rebuilt = false;
    h.ui.onDoEvents = [&] {
        if (std::exchange(rebuilt, true)) return;
        f().unload();
        f().show();
        for (const char* p : {"E:\\x.exe", "E:\\y.exe", "E:\\z.exe"}) addRow(p);
    };
    c("cmdDeltAll").click();
    EXPECT_EQ(actions(1) + actions(2) + actions(3), kOpen + kOpen + kOpen);
    EXPECT_FALSE(h.sys.files.exists("E:\\a.exe"));
    for (const char* kept : {"E:\\b.exe", "E:\\c.exe", "E:\\x.exe", "E:\\y.exe", "E:\\z.exe"})
        EXPECT_TRUE(h.sys.files.exists(kept)) << kept;
}

TEST_F(IgnoreList, ShowsItsTextsAndLoadsTheListOnceAfterOpening) {
    useIgnoreDb();
    open();
    const std::pair<const char*, const char*> texts[] = {
        {"Label1", "Auto deletion will ignore all the items listed hare."}, {"cmdRfrsh", "Refresh"},
        {"cmdAddIt", "Add an item"}, {"cmdDelIgnr", "Clear white list"}, {"cmdDel", "X"}, {"lblCncMsg", ""}};
    for (auto [name, caption] : texts) EXPECT_EQ(ctl(name).caption(), caption) << name;
    EXPECT_EQ(w().caption() + "|" + ctl("cmdDel").toolTip(), "Ignore List|Remove Item from Ignore List");
    list().clickCell(0, 0);
    EXPECT_EQ(shape() + std::to_string(ctl("cmdDel").visible() + ctl("cmdDelIgnr").enabled()), "0 5000|Nill0");
    for (const char* p : {"E:\\a.exe", "F:\\b c\\d.com"}) listPath(p);
    w().unload();
    w().show();
    EXPECT_EQ(list().rows(), 2) << "nothing is read before the timer fires";
    h.ui.pointers.clear();
    h.clock.advance(10);
    EXPECT_EQ(h.ui.pointers, (std::vector<int>{rt::PointerHourglass, rt::PointerDefault}));
    EXPECT_EQ(shape(), "1 0 6000 2000||Object to ignore||1|E:\\a.exe|Don't Ignore|2|F:\\b c\\d.com|Don't Ignore");
    EXPECT_TRUE(ctl("cmdDelIgnr").enabled() && list().enabled() && !w().timer("tmrLoad").enabled());
}

TEST_F(IgnoreList, AddChecksTheTypedTextInOrder) {
    listPath("E:\\a.exe");
    open();
    const std::string fits = "E:\\" + std::string(252, 'x');
    std::string wide = "E:\\";
    for (int i = 0; i < 252; ++i) wide += "\xC3\xA9";
    const std::tuple<std::optional<std::string>, const char*, int> cases[] = {
        {fits + "y", "Too big.... cannot add", 64}, {wide + "\xC3\xA9", "Too big.... cannot add", 64},
        {"E:/a.exe", "Enter a normal path.", 48}, {"\\\\server\\share\\a.exe", "Enter a normal path.", 48},
        {"E:\\it's.exe", "Invalid Character(s) entered.", 48}, {"\\\\it's", "Enter a normal path.", 48},
        {std::nullopt, "", 0}, {"   ", "", 0}, {"E:\\a.exe", "Already Added", 0},
        {"  E:\\new.exe  ", "Added into the ignore list", 0}, {fits, "Added into the ignore list", 0},
        {wide, "Added into the ignore list", 0}};
    for (const auto& [typed, report, style] : cases) {
        const std::size_t before = h.ui.dialogs.size();
        ctl("lblCncMsg").setCaption("");
        add(typed);
        const bool boxed = h.ui.dialogs.size() == before + 2;
        EXPECT_EQ(boxed ? h.ui.dialogs.back().prompt : ctl("lblCncMsg").caption(), report) << typed.value_or("-");
        EXPECT_EQ(h.ui.dialogs.back().style, style) << typed.value_or("-");
    }
    EXPECT_EQ(h.ui.dialogs[0].prompt + "|" + h.ui.dialogs[0].title, "Enter an item into the ignore list|Tavlo");
    EXPECT_EQ(listed(), (Texts{"E:\\a.exe", "E:\\new.exe", fits, wide}));
    EXPECT_EQ(list().rows(), 2) << "new entries show after Refresh";
}

TEST_F(IgnoreList, RemovesTheClickedEntryOrEveryListedOne) {
    for (const char* p : {"E:\\a.exe", "E:\\b.exe", "E:\\c.exe"}) listPath(p);
    open();
    listPath("E:\\late.exe");
    list().clickCell(2, 1);
    auto& del = ctl("cmdDel");
    EXPECT_EQ((std::vector<int>{del.left(), del.top(), del.width(), del.height(), del.visible(), w().ClickedRow}),
              (std::vector<int>{list().left() + 6000, list().top() + 480, 2000, 255, true, 2}));
    h.ui.answers = {rt::No, rt::Yes, rt::Yes, rt::No, rt::Yes};
    del.click();
    EXPECT_EQ(list().textMatrix(2, 2) + std::to_string(del.visible()), "Don't Ignore1");
    del.click();
    EXPECT_FALSE(del.visible());
    const std::string listed3 = "1|E:\\a.exe|Don't Ignore|2|E:\\b.exe|[Removed]|3|E:\\c.exe|Don't Ignore";
    EXPECT_EQ(shape(), "1 0 6000 2000||Object to ignore||" + listed3);
    for (int row : {1, 2}) list().clickCell(row, 1);
    EXPECT_FALSE(del.visible()) << "a removed row offers no button";
    for (int row : {1, 99}) list().clickCell(row, 1);
    EXPECT_FALSE(del.visible()) << "nor a row the grid does not hold";
    for (int row : {1, 0}) list().clickCell(row, 1);
    EXPECT_EQ(del.top(), list().top() + 240) << "a header click leaves it over the current row";
    del.click();  // asks, and removes nothing
    EXPECT_EQ(shape() + std::to_string(del.visible()), "1 0 6000 2000||Object to ignore||" + listed3 + "1");
    ctl("cmdDelIgnr").click();
    EXPECT_EQ(listed().size(), 3u);
    ctl("cmdDelIgnr").click();
    EXPECT_TRUE(del.visible()) << "clearing leaves the button where it is";
    EXPECT_EQ(listed(), Texts{"E:\\late.exe"});
    EXPECT_EQ(list().textMatrix(1, 2) + list().textMatrix(3, 2), "[Removed][Removed]");
    EXPECT_TRUE(ctl("cmdAddIt").enabled() && ctl("cmdRfrsh").enabled() && list().enabled());
    EXPECT_EQ(h.ui.pointers.back() + h.ui.dialogs[1].style, 68) << "the pointer is back, the question has style 68";
    EXPECT_EQ(h.ui.prompts(), Texts(5, "Confirm remove from ignore list.                    "));
    add(std::nullopt);
    EXPECT_FALSE(del.visible());
}

TEST_F(IgnoreList, AScrollHidesTheRemoveButtonThatStoodBesideTheClickedRow) {
    for (int i = 1; i <= 40; ++i) listPath("E:\\dir" + std::to_string(i));
    open();
    list().setTopRow(20);
    list().clickCell(30, 1);
    ASSERT_TRUE(ctl("cmdDel").visible());
    list().setTopRow(17);  // one wheel notch up: dir27 now stands where dir30 stood
    EXPECT_FALSE(ctl("cmdDel").visible());
}

TEST_F(IgnoreList, DatabaseFailuresLeaveTheWindowUsable) {
    open();
    add("E:\\a.exe");
    EXPECT_EQ(ctl("lblCncMsg").caption(), "Ignore list error... Reinstall Tavlo to recover the problem.");
    listPath("E:\\a.exe");
    ctl("cmdRfrsh").click();
    breakIgnoreTable();
    list().clickCell(1, 1);
    h.ui.answers = {rt::Yes, rt::Yes, rt::Abort, rt::Abort};
    Texts whileReported;  // while the error report of the clearing, then of the loading, is up
    h.ui.onMsgBox = [&](const rt::DialogRecord& box) {
        if (box.title == "An Error Occured")
            whileReported.push_back(seen(w(), {"cmdRfrsh", "cmdAddIt", "cmdDelIgnr", "cmdDel", "MsfInfectd"}));
    };
    for (const char* button : {"cmdDel", "cmdDelIgnr", "cmdRfrsh"}) ctl(button).click();
    EXPECT_EQ(whileReported, (Texts{"cmdRfrsh(off) cmdAddIt(off) cmdDelIgnr cmdDel MsfInfectd(off)",
                                    "cmdRfrsh cmdAddIt cmdDelIgnr(off) cmdDel(hidden) MsfInfectd(off)"}));
    EXPECT_EQ(shape() + std::to_string(ctl("cmdDelIgnr").enabled()), "1 0 6000 2000||Object to ignore|0");
    EXPECT_TRUE(ctl("cmdAddIt").enabled() && ctl("cmdRfrsh").enabled() && list().enabled());
    EXPECT_EQ(h.ui.dialogs[3].title + h.ui.dialogs.at(4).title, "An Error OccuredAn Error Occured");
}

TEST_F(IgnoreList, LayoutKeepsTheMinimumSizeAndAlignsTheButtons) {
    w().show();
    w().move(0, 0, 8000, 3000);
    EXPECT_EQ(std::to_string(w().width()) + "x" + std::to_string(w().height()), "10000x3500");
    w().setWidth(12000);
    auto place = [&](rt::Control& b) { return std::vector<int>{b.left(), b.top(), b.width(), b.height()}; };
    EXPECT_EQ(place(list()), (std::vector<int>{165, 240, 11550, 2285}));
    const int top = 240 + 2285 + 60;
    EXPECT_EQ(place(ctl("cmdDelIgnr")), (std::vector<int>{9780, top, 1935, 375}));
    EXPECT_EQ(place(ctl("cmdAddIt")), (std::vector<int>{8385, top, 1095, 375}));
    EXPECT_EQ(place(ctl("cmdRfrsh")), (std::vector<int>{6990, top, 1095, 375}));
    EXPECT_EQ(ctl("lblCncMsg").top(), top + 60);
}

}  // namespace
}  // namespace tavlo::testsupport
