#include "scanner/ResultsFixture.h"

namespace tavlo::testsupport {
namespace {

struct ResultsRefresh : ResultsTest {
    IgnoreDb db{h, folder};
    void fill(int dataRows) {
        for (int i = 0; i < dataRows; ++i) addRow("E:\\f" + std::to_string(i) + ".exe");
    }
    bool openedIgnoreDb() {
        for (auto& call : h.sys.files.calls) {
            if (call.find("pro.dat") != std::string::npos) return true;
        }
        return false;
    }
};

TEST_F(ResultsRefresh, BringsTheLastThirteenRowsIntoView) {
    fill(13);  // 14 rows, header included
    refresh();
    EXPECT_EQ(g().topRow(), 1);
    fill(6);  // 20 rows
    refresh();
    EXPECT_EQ(g().topRow(), 7);
}

TEST_F(ResultsRefresh, ThirteenRowsOrFewerDoNotScroll) {
    fill(12);
    g().setTopRow(5);
    refresh();
    EXPECT_EQ(g().topRow(), 5);
}

TEST_F(ResultsRefresh, ReplacesTheCountLineInAnyCaseAndAppendsToOtherTexts) {
    fill(1);
    c("lblCncMsg").setCaption("rISKY oBJECTS fOUND: 12");
    refresh();
    EXPECT_EQ(c("lblCncMsg").caption(), "Refreshing...");
    refresh();
    EXPECT_EQ(c("lblCncMsg").caption(), "Refreshing...\r\nRefreshing...");
    c("lblCncMsg").setCaption("");
    refresh();
    EXPECT_EQ(c("lblCncMsg").caption(), "\r\nRefreshing...");
    c("lblCncMsg").setCaption("Risky Objects foun");
    refresh();
    EXPECT_EQ(c("lblCncMsg").caption(), "Risky Objects foun\r\nRefreshing...");
}

TEST_F(ResultsRefresh, HeaderOnlyGridChangesOnlyTheStatus) {
    h.sys.files.calls.clear();
    c("lblCncMsg").setCaption("Risky Objects found: 0");
    refresh();
    EXPECT_EQ(c("lblCncMsg").caption(), "Refreshing...");
    EXPECT_FALSE(openedIgnoreDb());
}

TEST_F(ResultsRefresh, MarksEveryListedPathWhateverTheRowState) {
    const int plain = addRow("E:\\a.exe");
    const int listed = addRow("E:\\b.exe");
    const int deleted = addRow("E:\\c.exe");
    g().setTextMatrix(deleted, 4, "[Deleted]");
    const int aborted = addAbortRow();
    db.add("E:\\b.exe");
    db.add("E:\\c.exe");
    db.add("Scanning Aborted...");
    refresh();
    EXPECT_EQ(actions(plain), (Texts{"Risky", "Ignore", "Delete"})) << "an unlisted path keeps its cells";
    EXPECT_EQ(actions(listed), (Texts{"Risky", "[Ignored]", "Delete"}));
    EXPECT_EQ(actions(deleted), (Texts{"Risky", "[Ignored]", "[Deleted]"}));
    EXPECT_EQ(g().textMatrix(aborted, 3), "[Ignored]");
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
}

TEST_F(ResultsRefresh, PathWithApostropheLosesItsIgnoreCellWithoutALookUp) {
    const int quoted = addRow("E:\\it's.exe");
    db.add("E:\\it's.exe");
    refresh();
    EXPECT_EQ(actions(quoted), (Texts{"Risky", "", "Delete"}));
}

TEST_F(ResultsRefresh, DatabaseFailureStopsTheMarkingQuietly) {
    const int r = addRow("E:\\a.exe");
    db.add("E:\\a.exe");
    db.breakTable();
    g().setEnabled(false);
    refresh();
    EXPECT_EQ(g().textMatrix(r, 3), "Ignore");
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
    EXPECT_TRUE(h.ui.prompts().empty());
}

struct ResultsRefreshWithoutDb : ResultsTest {};

TEST_F(ResultsRefreshWithoutDb, MissingDatabaseLeavesRowsAndSaysNothing) {
    const int r = addRow("E:\\a.exe");
    g().setEnabled(false);
    refresh();
    EXPECT_EQ(actions(r), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
    EXPECT_TRUE(h.ui.prompts().empty());
}

}  // namespace
}  // namespace tavlo::testsupport
