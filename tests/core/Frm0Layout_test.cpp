#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "CoreFixture.h"

namespace tavlo::core {
namespace {

// The main window built without a border, as a borderless build would be.
class BorderlessFrm0 : public Frm0 {
protected:
    rt::FormDesign formDesign() override {
        rt::FormDesign d = Frm0::formDesign();
        d.border = rt::BorderStyle::None;
        return d;
    }
};

struct Frm0LayoutTest : tavlo::testing::CoreTest {
    Frm0& w = frm0();

    void SetUp() override {
        w.show();
        tavlo::testing::stopSplashTimers();
    }
    rt::Control& c(const char* name) { return w.c(name); }
    rt::Grid& grid() { return w.grid("MsfInfectd"); }
};

TEST_F(Frm0LayoutTest, LoadSizeGivesThePageGridAndButtonGeometry) {
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(w.height(), 7300);
    for (const char* page : {"picScan", "PicSett", "picHelp", "picRegs"}) {
        SCOPED_TRACE(page);
        EXPECT_EQ(c(page).left(), 2760);
        EXPECT_EQ(c(page).top(), 2280);
        EXPECT_EQ(c(page).width(), 7540);
        EXPECT_EQ(c(page).height(), 4075);
    }
    EXPECT_EQ(grid().left(), 100);
    EXPECT_EQ(grid().top(), 360);
    EXPECT_EQ(grid().width(), 7330);
    EXPECT_EQ(grid().height(), 3415);
    EXPECT_EQ(grid().colWidth(1), 4780);
    EXPECT_EQ(c("lblScaning").top(), 3800);
    EXPECT_EQ(c("lblScaning").width(), 7330);
    EXPECT_EQ(c("cmdIgnrLst").top(), 3810);
    EXPECT_EQ(c("cmdDeltAll").top(), 3810);
    EXPECT_EQ(c("cmdDeltAll").left(), 6145);
    EXPECT_EQ(c("cmdIgnrLst").left(), 4750);
    EXPECT_EQ(c("picResiz").left(), 10295);
    EXPECT_EQ(c("picResiz").top(), 7045);
}

TEST_F(Frm0LayoutTest, GridFrameLabelUsesTheGridHeightBeforeThePassSetsIt) {
    // The first layout framed the design height 3315; the second frames 3415.
    EXPECT_EQ(c("lblBorder").left(), 90);
    EXPECT_EQ(c("lblBorder").top(), 350);
    EXPECT_EQ(c("lblBorder").width(), 7360);
    w.setWidth(10600);
    EXPECT_EQ(c("lblBorder").height(), 3415 + 30);
}

TEST_F(Frm0LayoutTest, LoadCentresTheWindowAboveTheScreenCentre) {
    EXPECT_EQ(w.left(), 15360 / 2 - 10550 / 2);
    EXPECT_EQ(w.top(), 11520 / 2 - 7300 / 2 - 180);
}

TEST_F(Frm0LayoutTest, GridStartsEmptyWithItsHeaderAndHiddenColumns) {
    grid().setRows(3);
    grid().setTextMatrix(1, 1, "E:\\a.exe");
    w.unload();
    w.show();
    EXPECT_EQ(grid().rows(), 1);
    EXPECT_EQ(grid().fixedRows(), 1);
    EXPECT_EQ(grid().cols(), 7);
    EXPECT_EQ(grid().textMatrix(0, 0), "");
    EXPECT_EQ(grid().textMatrix(0, 1), "Object");
    EXPECT_EQ(grid().textMatrix(0, 2), "Criticality");
    for (int col : {0, 5, 6}) EXPECT_EQ(grid().colWidth(col), 0) << col;
    EXPECT_EQ(grid().colWidth(2), 1000);
    EXPECT_EQ(grid().colWidth(3), 600);
    EXPECT_EQ(grid().colWidth(4), 700);
}

TEST_F(Frm0LayoutTest, FrameSmallerThanTheMinimumSnapsBack) {
    w.sizedByUser(8000, 5000);
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(w.height(), 7140);
    EXPECT_EQ(c("picScan").height(), 7140 - 945 - 2280);
    EXPECT_EQ(c("picResiz").top(), 7140 - 255);
    w.sizedByUser(10550, 7200);
    EXPECT_EQ(w.height(), 7200);
}

TEST_F(Frm0LayoutTest, WideningByOneThousandMovesOnlyTheGrowingParts) {
    w.sizedByUser(11550, 7300);
    EXPECT_EQ(c("picScan").width(), 8540);
    EXPECT_EQ(c("picHelp").width(), 8540);
    EXPECT_EQ(grid().width(), 8330);
    EXPECT_EQ(grid().colWidth(1), 5780);
    EXPECT_EQ(grid().colWidth(2), 1000);
    EXPECT_EQ(grid().colWidth(3), 600);
    EXPECT_EQ(grid().colWidth(4), 700);
    EXPECT_EQ(c("cmdDeltAll").left(), 7145);
    EXPECT_EQ(c("cmdIgnrLst").left(), 5750);
}

TEST_F(Frm0LayoutTest, LoadGivesTheTabsTheirFacesAndTheAboutPageItsWidth) {
    EXPECT_EQ(c("lblBtn0").caption(), "?");
    EXPECT_EQ(c("lblBtn0").width(), c("picBtn0").width());
    EXPECT_EQ(c("picExtBtn").width(), 255);
    EXPECT_EQ(c("picExtBtn").height(), 270);
    EXPECT_EQ(c("picScan").picture(), c("picBk").picture());
    EXPECT_EQ(c("PicSett").picture(), c("picBk").picture());
    EXPECT_EQ(c("picRegs").picture(), c("picBk").picture());
    EXPECT_NE(c("picHelp").picture(), c("picBk").picture());
    EXPECT_EQ(w.FieldErrorColor, "255");
    EXPECT_EQ(w.FieldNormalColor, "14737632");
    EXPECT_EQ(w.icon(), frmSplash().icon());
    EXPECT_FALSE(w.icon().empty());
}

// Centred on the size the window is created with (15885 x 12840), the
// panel's lower third would lie below the window's bottom edge.
TEST_F(Frm0LayoutTest, SuggestPanelIsCentredOnTheFinalSizeAndLiesInsideTheWindow) {
    auto& dlg = c("picDlg");
    EXPECT_EQ(dlg.left(), 10550 / 2 - 5040 / 2);
    EXPECT_EQ(dlg.top(), 7300 / 2 - 3615 / 2);
    EXPECT_LE(dlg.top() + dlg.height(), w.scaleHeight());
    EXPECT_FALSE(dlg.visible());
}

using Frm0BorderlessTest = tavlo::testing::CoreTest;

TEST_F(Frm0BorderlessTest, StartsLowerKeepsTheSmallTabBandAndItsOwnMinimum) {
    auto& w = h.app().instance<BorderlessFrm0>();
    w.show();
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(w.height(), 6840);
    EXPECT_EQ(w.c("picScan").height(), 6840 - 585 - 2280);
    w.sizedByUser(9000, 6000);
    EXPECT_EQ(w.width(), 10550);
    EXPECT_EQ(w.height(), 6840);
    w.sizedByUser(10550, 6900);
    EXPECT_EQ(w.height(), 6900);
}

}  // namespace
}  // namespace tavlo::core
