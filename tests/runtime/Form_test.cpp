#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"
#include "runtime/ErrorReport.h"

namespace tavlo::rt {
namespace {

class SampleForm : public Form {
public:
    SampleForm() : Form("frmSample") {}
    int loads = 0, unloads = 0, resizes = 0, changes = 0, clicks = 0, ticks = 0;
    std::vector<std::string> clickOrder;

protected:
    FormDesign formDesign() override {
        FormDesign d;
        d.caption = "Sample";
        d.width = 6000;
        d.height = 4000;
        return d;
    }
    void buildControls() override {
        add({.kind = Kind::TextBox, .name = "txtNo1", .text = "Text1"}).onChange = [this] { ++changes; };
        add({.kind = Kind::Label, .name = "lblCount", .left = 100, .top = 200, .width = 300, .height = 200,
             .text = "design"});
        add({.kind = Kind::CheckBox, .name = "chkA", .value = 1}).onClick = [this] { chkAClicked(); };
        add({.kind = Kind::CheckBox, .name = "chkB"}).onClick = [this] { chkBClicked(); };
        add({.kind = Kind::Option, .name = "OptA", .value = True});
        add({.kind = Kind::Option, .name = "OptB"}).onClick = [this] { ++clicks; };
        addTimer("tmrOnce", 10, true).onTimer = [this] {
            ++ticks;
            timer("tmrOnce").setEnabled(false);
        };
        addGrid({.name = "MsfGrid", .width = 4000, .height = 2400});
    }
    void onLoad() override { ++loads; }
    void onUnload() override { ++unloads; }
    void onResize() override {
        ++resizes;
        if (width() < 5000) setWidth(5000);
    }

private:
    // A pair of boxes of which one stays ticked: each click sets the other.
    void chkAClicked() {
        clickOrder.push_back("A");
        c("chkB").setValue(c("chkA").value() == 1 ? 0 : 1);
    }
    void chkBClicked() {
        clickOrder.push_back("B");
        c("chkA").setValue(c("chkB").value() == 1 ? 0 : 1);
    }
};

struct FormTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    SampleForm& form() { return h.app().instance<SampleForm>(); }
};

TEST_F(FormTest, TouchingAControlLoadsTheFormOnce) {
    EXPECT_FALSE(form().loaded());
    EXPECT_EQ(form().c("lblCount").caption(), "design");
    form().c("lblCount").setCaption("7");
    EXPECT_TRUE(form().loaded());
    EXPECT_EQ(form().loads, 1);
    EXPECT_EQ(&form(), &h.app().instance<SampleForm>());
}

TEST_F(FormTest, UnloadRestoresDesignStateButKeepsFormLevelState) {
    form().c("lblCount").setCaption("7");
    form().c("lblCount").setLeft(900);
    form().unload();
    EXPECT_EQ(form().unloads, 1);
    EXPECT_FALSE(form().loaded());
    EXPECT_EQ(form().c("lblCount").caption(), "design");
    EXPECT_EQ(form().c("lblCount").left(), 100);
    EXPECT_EQ(form().loads, 2);
}

TEST_F(FormTest, CodeChangingATextRaisesChangeOnlyWhenTheTextDiffers) {
    form().c("txtNo1").append(".");
    form().c("txtNo1").append(".");
    form().c("txtNo1").setText("Text1..");
    EXPECT_EQ(form().changes, 2);
    EXPECT_EQ(form().c("txtNo1").text(), "Text1..");
}

TEST_F(FormTest, CheckBoxPairChainsNestedClicksUntilValuesSettle) {
    form().c("chkB").setValue(1);
    EXPECT_EQ(form().c("chkA").value(), 0);
    EXPECT_EQ(form().c("chkB").value(), 1);
    EXPECT_EQ(form().clickOrder, (std::vector<std::string>{"B", "A"}));
}

TEST_F(FormTest, SettingACheckBoxToItsValueRaisesNoClick) {
    form().c("chkA").setValue(1);
    EXPECT_TRUE(form().clickOrder.empty());
}

TEST_F(FormTest, OptionButtonClearsItsSiblingsAndClicksOnce) {
    form().c("OptB").setValue(True);
    EXPECT_EQ(form().c("OptA").value(), False);
    EXPECT_EQ(form().clicks, 1);
    form().c("OptB").setValue(True);
    EXPECT_EQ(form().clicks, 1);
}

TEST_F(FormTest, FirstShowRaisesResizeAndNestedResizeSettles) {
    form().setWidth(4000);
    EXPECT_EQ(form().resizes, 0);
    form().show();
    EXPECT_EQ(form().width(), 5000);
    EXPECT_EQ(form().resizes, 2);
    form().setWidth(4500);
    EXPECT_EQ(form().width(), 5000);
}

TEST_F(FormTest, OneShotTimerTicksOnceAndStopsWithTheUnload) {
    form().load();
    h.clock.advance(9);
    EXPECT_EQ(form().ticks, 0);
    h.clock.advance(100);
    EXPECT_EQ(form().ticks, 1);
    form().timer("tmrOnce").setEnabled(true);
    form().unload();
    h.clock.advance(100);
    EXPECT_EQ(form().ticks, 1);
}

TEST_F(FormTest, GridKeepsCellsWithinRowsAndClampsTopRow) {
    auto& g = form().grid("MsfGrid");
    g.setCols(7);
    g.setRows(20);
    g.setTextMatrix(19, 1, "E:\\a.exe");
    g.setTopRow(50);
    EXPECT_EQ(g.topRow(), 19);
    g.setRows(1);
    EXPECT_EQ(g.rows(), 1);
    EXPECT_EQ(g.topRow(), 1);
    EXPECT_THROW(g.textMatrix(1, 1), Error);
    g.setRows(3);
    EXPECT_EQ(g.textMatrix(2, 1), "");
}

TEST_F(FormTest, GridCellTopFollowsScrolling) {
    auto& g = form().grid("MsfGrid");
    g.setRows(30);
    g.setTopRow(10);
    g.clickCell(12, 3);
    EXPECT_EQ(g.row(), 12);
    EXPECT_EQ(g.mouseCol(), 3);
    EXPECT_EQ(g.cellTop(), 3 * g.rowHeight());
}

// The error report: Retry repeats the step, Ignore goes on, Abort leaves.
TEST_F(FormTest, ErrorReportRetriesIgnoresAndAborts) {
    h.ui.answers = {Retry, Retry, Ignore, Abort};
    int attempts = 0;
    std::vector<int> ran;
    ErrorReport report;
    EXPECT_TRUE(report.step([&] {
        if (++attempts < 3) throw Error("Disk not ready");
        ran.push_back(1);
    }));
    EXPECT_TRUE(report.step([&] { throw Error("Path not found"); }));
    EXPECT_FALSE(report.step([&] { throw Error("Device unavailable"); }));
    EXPECT_FALSE(report.step([&] { ran.push_back(4); }));
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(ran, (std::vector<int>{1}));
    ASSERT_EQ(h.ui.dialogs.size(), 4u);
    EXPECT_EQ(h.ui.dialogs[0].title, "An Error Occured");
    EXPECT_EQ(h.ui.dialogs[0].style, 18);
    EXPECT_EQ(h.ui.pointers, (std::vector<int>{0}));
}

TEST_F(FormTest, MessageBoxWithoutTitleUsesTheProgramsTitle) {
    h.app().msgBox("Conf Err.....Run Setup Again", Information);
    EXPECT_EQ(h.ui.dialogs.back().title, "Tavlo");
}

}  // namespace
}  // namespace tavlo::rt
