#include "scanner/ResultsFixture.h"

namespace tavlo::testsupport {
namespace {

struct ResultsIgnore : ResultsTest {
    IgnoreDb db{h, folder};
};

TEST_F(ResultsIgnore, AddsThePathAndMarksTheRow) {
    const int r = addRow("E:\\a.exe");
    const int other = addRow("E:\\b.exe");
    pressIgnore(r);
    EXPECT_EQ(db.paths(), (Texts{"E:\\a.exe"}));
    EXPECT_EQ(actions(r), (Texts{"Risky", "[Ignored]", "Delete"}));
    EXPECT_EQ(actions(other), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_EQ(c("lblCncMsg").caption(), "Added into the ignore list");
    EXPECT_TRUE(shown("picCncMsg"));
    EXPECT_FALSE(shown("cmdIgn"));
    EXPECT_FALSE(shown("cmdDel"));
    EXPECT_EQ(closings(), 0);
    EXPECT_TRUE(h.ui.prompts().empty());
}

TEST_F(ResultsIgnore, PathAlreadyListedIsStillMarked) {
    const int r = addRow("E:\\a.exe");
    db.add("E:\\a.exe");
    pressIgnore(r);
    EXPECT_EQ(db.paths(), (Texts{"E:\\a.exe"}));
    EXPECT_EQ(c("lblCncMsg").caption(), "Already Added");
    EXPECT_EQ(g().textMatrix(r, 3), "[Ignored]");
}

TEST_F(ResultsIgnore, LastOpenRowClosesTheAlertsOnce) {
    const int r = addRow("E:\\a.exe");
    const int deleted = addRow("E:\\b.exe");
    g().setTextMatrix(deleted, 4, "[Deleted]");
    pressIgnore(r);
    EXPECT_EQ(closings(), 1);
}

TEST_F(ResultsIgnore, PathsUpTo255CharactersFit) {
    const std::string fits = "E:\\" + std::string(248, 'x') + ".exe";
    const int ok = addRow(fits, platform::AttrArchive, false);
    const int tooLong = addRow(fits + "x", platform::AttrArchive, false);
    pressIgnore(tooLong);
    EXPECT_EQ(h.ui.prompts(), (Texts{"Too big.... cannot add"}));
    EXPECT_EQ(h.ui.dialogs[0].style, 64);
    EXPECT_EQ(g().textMatrix(tooLong, 3), "Ignore");
    pressIgnore(ok);
    EXPECT_EQ(db.paths(), (Texts{fits}));
    EXPECT_EQ(g().textMatrix(ok, 3), "[Ignored]");
}

TEST_F(ResultsIgnore, PathWithApostropheNeverReachesTheList) {
    // A row written after the last refresh still reads "Ignore".
    const int r = addRow("E:\\it's.exe");
    click(r, 3);
    EXPECT_FALSE(shown("cmdIgn"));
    f().IgnoreSelectedResult();
    EXPECT_TRUE(db.paths().empty());
    EXPECT_EQ(g().textMatrix(r, 3), "Ignore");
}

TEST_F(ResultsIgnore, ButtonActsOnTheRowItFloatsOver) {
    const int r = addRow("E:\\a.exe");
    const int below = addRow("E:\\b.exe");
    click(r, 3);
    g().setMouseCell(below, 3);  // the pointer crossed the row below on its way
    c("cmdIgn").click();
    EXPECT_EQ(db.paths(), (Texts{"E:\\a.exe"}));
    EXPECT_EQ(g().textMatrix(r, 3), "[Ignored]");
    EXPECT_EQ(g().textMatrix(below, 3), "Ignore");
}

TEST_F(ResultsIgnore, TakesOnlyARowThatOffersIgnore) {
    addRow("E:\\a.exe");
    const int aborted = addAbortRow();
    const int deleted = addRow("E:\\c.exe");
    g().setTextMatrix(deleted, 4, "[Deleted]");
    for (int row : {0, aborted, deleted}) {
        g().setMouseCell(row, 3);
        f().IgnoreSelectedResult();
    }
    EXPECT_TRUE(db.paths().empty());
    EXPECT_TRUE(h.ui.prompts().empty());
}

TEST_F(ResultsIgnore, DatabaseFailureIsReportedAndTheRowStaysOpen) {
    const int r = addRow("E:\\a.exe");
    db.paths();
    db.breakTable();
    pressIgnore(r);
    EXPECT_EQ(c("lblCncMsg").caption(), "Unknown error... d1");
    EXPECT_TRUE(shown("picCncMsg"));
    EXPECT_EQ(g().textMatrix(r, 3), "Ignore");
    EXPECT_EQ(closings(), 0);
}

struct ResultsIgnoreWithoutDb : ResultsTest {};

TEST_F(ResultsIgnoreWithoutDb, ReportsTheListErrorOnTwoLines) {
    const int r = addRow("E:\\a.exe");
    c("picCncMsg").setVisible(false);
    pressIgnore(r);
    EXPECT_EQ(c("lblCncMsg").caption(), "Ignore list error...\r\nReinstall Tavlo to recover the problem.");
    EXPECT_TRUE(shown("picCncMsg"));
    EXPECT_EQ(g().textMatrix(r, 3), "Ignore");
    EXPECT_TRUE(g().enabled());
    EXPECT_TRUE(h.ui.prompts().empty());
}

}  // namespace
}  // namespace tavlo::testsupport
