#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"

namespace tavlo::rt {
namespace {

class PanelForm : public Form {
public:
    PanelForm() : Form("frmPanel") {}

protected:
    FormDesign formDesign() override { return FormDesign{.width = 6000, .height = 4000, .left = 300, .top = 200}; }
    void buildControls() override {
        add({.kind = Kind::Picture, .name = "picDlg", .left = 100, .top = 100, .width = 2000, .height = 1000});
    }
};

struct MovedByUserTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    PanelForm& form() { return h.app().instance<PanelForm>(); }
};

TEST_F(MovedByUserTest, FormDraggedByTheUserKeepsItsPlaceWhenCodeResizesIt) {
    form().show();
    form().movedByUser(4500, 3000);
    form().setWidth(7000);
    EXPECT_EQ(form().left(), 4500);
    EXPECT_EQ(form().top(), 3000);
    EXPECT_EQ(form().width(), 7000);
}

TEST_F(MovedByUserTest, PanelDraggedInsideTheWindowReportsItsNewPlace) {
    auto& panel = form().c("picDlg");
    panel.movedByUser(900, 700);
    panel.setWidth(2500);
    EXPECT_EQ(panel.left(), 900);
    EXPECT_EQ(panel.top(), 700);
    EXPECT_EQ(panel.width(), 2500);
}

TEST_F(MovedByUserTest, UnloadForgetsTheDraggedPlace) {
    form().movedByUser(4500, 3000);
    form().unload();
    EXPECT_EQ(form().left(), 300);
}

}  // namespace
}  // namespace tavlo::rt
