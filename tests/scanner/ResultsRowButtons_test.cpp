#include "scanner/ResultsFixture.h"

namespace tavlo::testsupport {
namespace {

// At the window's load size the grid stands at 2760 + 100, 2280 + 360 in the
// window, with columns 0, 4780, 1000, 600, 700 and 7330 twips wide in all.
constexpr rt::Twips kGridLeft = 2860;
constexpr rt::Twips kGridTop = 2640;

struct ResultsRowButtons : ResultsTest {
    // A grid narrowed to a width, its columns kept.
    void narrowTo(rt::Twips width) { g().setWidth(width); }
};

TEST_F(ResultsRowButtons, FloatOverTheIgnoreAndDeleteCellsOfTheClickedRow) {
    addRow("E:\\a.exe");
    const int r = addRow("E:\\b.exe");
    click(r, 2);
    ASSERT_TRUE(shown("cmdIgn"));
    ASSERT_TRUE(shown("cmdDel"));
    EXPECT_EQ(f().SelectedRow, r);
    EXPECT_EQ(f().SelectedCol, 2);
    const rt::Twips top = kGridTop + 2 * g().rowHeight();
    auto& ign = c("cmdIgn");
    auto& del = c("cmdDel");
    EXPECT_EQ((std::vector<int>{ign.left(), ign.top(), ign.width(), ign.height()}),
              (std::vector<int>{kGridLeft + 4780 + 1000, top, 600, g().cellHeight()}));
    EXPECT_EQ((std::vector<int>{del.left(), del.top(), del.width(), del.height()}),
              (std::vector<int>{kGridLeft + 4780 + 1000 + 600, top, 700, g().cellHeight()}));
    EXPECT_EQ(c("lblScaning").caption(), "E:\\b.exe");
    EXPECT_TRUE(shown("lblScaning"));
    EXPECT_EQ(c("lblFF2Kill").caption(), "E:\\b.exe");
    EXPECT_FALSE(shown("lblFF2Kill"));
}

TEST_F(ResultsRowButtons, FollowTheRowWhenTheGridIsScrolled) {
    for (int i = 0; i < 20; ++i) addRow("E:\\f" + std::to_string(i) + ".exe");
    g().setTopRow(8);
    click(10);
    EXPECT_EQ(c("cmdDel").top(), kGridTop + (1 + 10 - 8) * g().rowHeight());
}

TEST_F(ResultsRowButtons, ScrollingHidesThem) {
    for (int i = 0; i < 20; ++i) addRow("E:\\f" + std::to_string(i) + ".exe");
    click(3);
    g().setTopRow(4);
    EXPECT_FALSE(shown("cmdIgn"));
    EXPECT_FALSE(shown("cmdDel"));
}

TEST_F(ResultsRowButtons, RowsOfferingNoActionHideBoth) {
    const int deleted = addRow("E:\\a.exe");
    g().setTextMatrix(deleted, 4, "[Deleted]");
    const int aborted = addAbortRow();
    const int open = addRow("E:\\b.exe");
    for (int r : {0, deleted, aborted}) {
        click(open);
        click(r);
        EXPECT_FALSE(shown("cmdIgn")) << "row " << r;
        EXPECT_FALSE(shown("cmdDel")) << "row " << r;
    }
}

TEST_F(ResultsRowButtons, RowsThatCannotBeIgnoredShowOnlyDelete) {
    const int ignored = addRow("E:\\a.exe");
    g().setTextMatrix(ignored, 3, "[Ignored]");
    const int cleared = addRow("E:\\b.exe");
    g().setTextMatrix(cleared, 3, "");
    g().setTextMatrix(cleared, 4, "");
    const int quoted = addRow("E:\\it's.exe");
    for (int r : {ignored, cleared, quoted}) {
        click(r);
        EXPECT_FALSE(shown("cmdIgn")) << "row " << r;
        EXPECT_TRUE(shown("cmdDel")) << "row " << r;
    }
}

TEST_F(ResultsRowButtons, DeleteIsCutAtTheScrollBar) {
    const int r = addRow("E:\\a.exe");
    narrowTo(7230);  // the limit falls 100 twips inside the delete column
    click(r);
    EXPECT_TRUE(shown("cmdDel"));
    EXPECT_EQ(c("cmdDel").width(), 600);
    EXPECT_TRUE(shown("cmdIgn"));
    EXPECT_EQ(c("cmdIgn").width(), 600) << "Ignore is never cut";
}

TEST_F(ResultsRowButtons, DeleteNarrowerThan160TwipsIsHidden) {
    const int r = addRow("E:\\a.exe");
    narrowTo(6790);  // 160 twips left
    click(r);
    EXPECT_TRUE(shown("cmdDel"));
    EXPECT_EQ(c("cmdDel").width(), 160);
    narrowTo(6789);  // 159 twips left
    click(r);
    EXPECT_FALSE(shown("cmdDel"));
    EXPECT_TRUE(shown("cmdIgn"));
}

TEST_F(ResultsRowButtons, DeleteStartingPastTheLimitIsHiddenUncut) {
    const int r = addRow("E:\\a.exe");
    narrowTo(6500);  // the limit lies 130 twips left of the delete column
    click(r);
    EXPECT_FALSE(shown("cmdDel"));
    EXPECT_EQ(c("cmdDel").width(), 700);
    EXPECT_TRUE(shown("cmdIgn"));
}

TEST_F(ResultsRowButtons, NarrowDeleteColumnCloseToTheLimitIsHidden) {
    const int r = addRow("E:\\a.exe");
    g().setColWidth(4, 30);
    narrowTo(7330 - 700 + 30 + 10);  // the column ends 10 twips before the limit
    click(r);
    EXPECT_FALSE(shown("cmdDel")) << "it starts 40 twips before the limit";
    narrowTo(7330 - 700 + 30 + 20);
    click(r);
    EXPECT_TRUE(shown("cmdDel")) << "it starts 50 twips before the limit";
}

TEST_F(ResultsRowButtons, PathNotOnADriveEmptiesTheLabels) {
    const int drive = addRow("E:\\a.exe");
    const int share = addRow("\\\\server\\share\\a.exe", platform::AttrArchive, false);
    click(drive);
    click(share);
    EXPECT_TRUE(shown("cmdDel"));
    EXPECT_EQ(c("lblScaning").caption(), "");
    EXPECT_EQ(c("lblFF2Kill").caption(), "");
    EXPECT_TRUE(shown("lblScaning"));
}

TEST_F(ResultsRowButtons, WhiteListButtonOpensTheIgnoreListModeless) {
    c("cmdIgnrLst").click();
    EXPECT_TRUE(scanner::frmIgnrLst().visible());
    EXPECT_FALSE(scanner::frmIgnrLst().modal());
    for (auto& d : h.ui.dialogs) EXPECT_NE(d.kind, "modal");
}

}  // namespace
}  // namespace tavlo::testsupport
