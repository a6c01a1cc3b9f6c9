#include "scanner/ResultsFixture.h"

namespace tavlo::testsupport {
namespace {

using platform::AttrArchive;
using platform::AttrHidden;
using platform::AttrReadOnly;
using platform::AttrSystem;

const std::string kConfirm = "Delete  permanently. Continue?                    ";
const std::string kWarn = "Warning!! This item is in your ignore list?                    \r\n" + kConfirm;
const std::string kConfirmAll = "Confirm remove all items                    ";

struct ResultsDelete : ResultsTest {};

TEST_F(ResultsDelete, DeletesAHiddenReadOnlyFileAfterResettingItsAttributes) {
    const int r = addRow("E:\\a.exe", AttrHidden | AttrSystem | AttrReadOnly);
    const int other = addRow("E:\\b.exe");
    h.sys.files.calls.clear();
    pressDelete(r);
    EXPECT_EQ(h.ui.prompts(), (Texts{kConfirm}));
    EXPECT_EQ(h.ui.dialogs[0].style, 4);
    EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
    EXPECT_FALSE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(h.sys.files.calls, (Texts{"resetAttributes E:\\a.exe", "remove E:\\a.exe"}));
    EXPECT_EQ(actions(r), (Texts{"", "", "[Deleted]"}));
    EXPECT_EQ(actions(other), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_FALSE(shown("cmdDel"));
    EXPECT_FALSE(shown("cmdIgn"));
    EXPECT_EQ(c("lblScaning").caption(), "");
    EXPECT_EQ(c("lblCncMsg").caption(), "Deleted");
    EXPECT_TRUE(shown("picCncMsg"));
    EXPECT_EQ(closings(), 0) << "one open row is left";
}

TEST_F(ResultsDelete, NoKeepsTheFileAndTheRow) {
    const int r = addRow("E:\\a.exe");
    h.ui.answers = {rt::No};
    pressDelete(r);
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(r), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_TRUE(shown("cmdDel"));
}

TEST_F(ResultsDelete, IgnoredRowAsksTwiceAndNoAtEitherKeepsTheFile) {
    const int r = addRow("E:\\a.exe");
    g().setTextMatrix(r, 3, "[Ignored]");
    h.ui.answers = {rt::No};
    pressDelete(r);
    h.ui.answers = {rt::Yes, rt::No};
    pressDelete(r);
    EXPECT_EQ(h.ui.prompts(), (Texts{kConfirm, kConfirm, kWarn}));
    EXPECT_EQ(h.ui.dialogs[2].style, 4);
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(r), (Texts{"Risky", "[Ignored]", "Delete"}));

    h.ui.answers = {rt::Yes, rt::Yes};
    pressDelete(r);
    EXPECT_FALSE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(r), (Texts{"", "", "[Deleted]"}));
}

TEST_F(ResultsDelete, RefusedDeleteIsReportedAndAbortLeavesTheRowOpen) {
    const int r = addRow("E:\\a.exe");
    h.sys.files.setUndeletable("E:\\a.exe");
    c("lblCncMsg").setCaption("Risky Objects found: 1");
    h.ui.answers = {rt::Yes, rt::Abort};
    pressDelete(r);
    ASSERT_EQ(h.ui.dialogs.size(), 2u);
    EXPECT_EQ(h.ui.dialogs[1].prompt, "Permission denied");
    EXPECT_EQ(h.ui.dialogs[1].style, 18);
    EXPECT_EQ(h.ui.dialogs[1].title, "An Error Occured");
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(r), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_EQ(c("lblCncMsg").caption(), "Risky Objects found: 1");
    EXPECT_EQ(closings(), 0);
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
}

TEST_F(ResultsDelete, RefusedDeleteIgnoredInTheReportStillMarksTheRow) {
    const int r = addRow("E:\\a.exe");
    h.sys.files.setUndeletable("E:\\a.exe");
    h.ui.answers = {rt::Yes, rt::Ignore};
    pressDelete(r);
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(r), (Texts{"", "", "[Deleted]"}));
}

TEST_F(ResultsDelete, PathNotOnADriveReportsTheAttributeReset) {
    const int r = addRow("\\\\server\\share\\a.exe", AttrArchive, false);
    h.ui.answers = {rt::Yes, rt::Abort};
    pressDelete(r);
    ASSERT_EQ(h.ui.dialogs.size(), 2u);
    EXPECT_EQ(h.ui.dialogs[1].title, "An Error Occured");
    EXPECT_EQ(actions(r), (Texts{"Risky", "Ignore", "Delete"}));
}

TEST_F(ResultsDelete, AbortRowIsNeverDeleted) {
    addAbortRow();
    f().SelectedRow = 1;
    c("cmdDel").click();
    EXPECT_TRUE(h.ui.dialogs.empty());
}

TEST_F(ResultsDelete, LastOpenRowClosesTheAlertsOnce) {
    const int ignored = addRow("E:\\a.exe");
    g().setTextMatrix(ignored, 3, "[Ignored]");
    const int r = addRow("E:\\b.exe");
    pressDelete(r);
    EXPECT_EQ(closings(), 1);
}

struct ResultsDeleteAll : ResultsTest {};

TEST_F(ResultsDeleteAll, DeletesVisibleFilesAndLeavesHiddenOnes) {
    const int hidden = addRow("E:\\hidden.exe", AttrHidden);
    const int visible = addRow("E:\\visible.exe", AttrReadOnly);
    c("cmdDeltAll").click();
    EXPECT_EQ(h.ui.prompts(), (Texts{kConfirmAll}));
    EXPECT_EQ(h.ui.dialogs[0].style, 68);
    EXPECT_TRUE(h.sys.files.exists("E:\\hidden.exe"));
    EXPECT_EQ(h.sys.files.attributes("E:\\hidden.exe"), AttrHidden) << "the hidden file is not touched";
    EXPECT_FALSE(h.sys.files.exists("E:\\visible.exe"));
    EXPECT_EQ(actions(hidden), (Texts{"Risky", "", ""}));
    EXPECT_EQ(actions(visible), (Texts{"Risky", "", "[Deleted]"}));
    EXPECT_EQ(closings(), 1);
    EXPECT_EQ(h.ui.doEventsCount, 1) << "one yield per deleted file";
    EXPECT_TRUE(g().enabled());
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
}

TEST_F(ResultsDeleteAll, GridIsDisabledWhileItRuns) {
    addRow("E:\\a.exe");
    bool enabledDuringYield = true;
    int pointerDuringYield = 0;
    h.ui.onDoEvents = [&] {
        enabledDuringYield = g().enabled();
        pointerDuringYield = h.app().screenPointer();
    };
    c("cmdDeltAll").click();
    EXPECT_FALSE(enabledDuringYield);
    EXPECT_EQ(pointerDuringYield, rt::PointerHourglass);
}

TEST_F(ResultsDeleteAll, SkipsIgnoredDeletedAndAbortRows) {
    const int ignored = addRow("E:\\a.exe");
    g().setTextMatrix(ignored, 3, "[Ignored]");
    const int deleted = addRow("E:\\b.exe");
    g().setTextMatrix(deleted, 4, "[Deleted]");
    addAbortRow();
    h.sys.files.calls.clear();
    c("cmdDeltAll").click();
    EXPECT_TRUE(h.sys.files.calls.empty());
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_TRUE(h.sys.files.exists("E:\\b.exe"));
    EXPECT_EQ(closings(), 1);
}

TEST_F(ResultsDeleteAll, NoDeletesNothing) {
    const int r = addRow("E:\\a.exe");
    h.ui.answers = {rt::No};
    c("cmdDeltAll").click();
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(r), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_EQ(closings(), 0);
}

TEST_F(ResultsDeleteAll, RefusedFileKeepsItsRowOpenAndTheRestGoOn) {
    const int refused = addRow("E:\\a.exe");
    h.sys.files.setUndeletable("E:\\a.exe");
    const int next = addRow("E:\\b.exe");
    c("cmdDeltAll").click();
    EXPECT_TRUE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_EQ(actions(refused), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_EQ(actions(next), (Texts{"Risky", "", "[Deleted]"}));
    EXPECT_EQ(closings(), 0) << "the refused row is still open";
}

TEST_F(ResultsDeleteAll, RowsAppendedDuringTheRunAreNotVisited) {
    addRow("E:\\a.exe");
    h.ui.onDoEvents = [&] {
        if (g().rows() == 2) addRow("E:\\late.exe");
    };
    c("cmdDeltAll").click();
    EXPECT_TRUE(h.sys.files.exists("E:\\late.exe"));
    EXPECT_EQ(actions(2), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_EQ(closings(), 0);
}

TEST_F(ResultsDeleteAll, StopsWhenTheWindowIsRebuiltDuringAYield) {
    addRow("E:\\a.exe");
    addRow("E:\\b.exe");
    h.ui.onDoEvents = [&] {
        h.ui.onDoEvents = nullptr;
        f().unload();
        f().show();
        addRow("E:\\new1.exe");
        addRow("E:\\new2.exe");
    };
    c("cmdDeltAll").click();
    EXPECT_FALSE(h.sys.files.exists("E:\\a.exe"));
    EXPECT_TRUE(h.sys.files.exists("E:\\b.exe"));
    EXPECT_TRUE(h.sys.files.exists("E:\\new1.exe"));
    EXPECT_TRUE(h.sys.files.exists("E:\\new2.exe"));
    EXPECT_EQ(actions(1), (Texts{"Risky", "Ignore", "Delete"}));
    EXPECT_EQ(actions(2), (Texts{"Risky", "Ignore", "Delete"}));
}

}  // namespace
}  // namespace tavlo::testsupport
