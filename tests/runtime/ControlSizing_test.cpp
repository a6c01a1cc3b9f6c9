#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"

namespace tavlo::rt {
namespace {

// A window with an auto-sized label, a picture box and a container built
// outside the window's own code.
class SizingForm : public Form {
public:
    SizingForm() : Form("frmSizing") {}
    bool maximized = false;
    int boxResizes = 0;

protected:
    FormDesign formDesign() override {
        FormDesign d;
        d.width = 6000;
        d.height = 4000;
        d.maximized = maximized;
        return d;
    }
    void buildControls() override {
        add({.kind = Kind::Label, .name = "lblFit", .left = 100, .top = 100, .width = 5, .height = 5, .text = "Go",
             .autoSize = true});
        add({.kind = Kind::Picture, .name = "picBox", .width = 1000, .height = 800}).onResize = [this] {
            ++boxResizes;
        };
        adopt(std::make_unique<Control>(*this, ControlDesign{.kind = Kind::Image, .name = "imgPart",
                                                             .container = "picBox"}));
    }
};

struct ControlSizingTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    SizingForm& form() { return h.app().instance<SizingForm>(); }
};

TEST_F(ControlSizingTest, AutoSizedLabelFollowsItsTextAndFont) {
    auto& label = form().c("lblFit");
    const Extent two = h.ui.textSize(label.font(), "Go");
    EXPECT_EQ(label.width(), two.width);
    EXPECT_EQ(label.height(), two.height);
    EXPECT_EQ(label.left(), 100);
    label.setCaption("Going further");
    EXPECT_GT(label.width(), two.width);
    const Twips wide = label.width();
    label.setFontBold(true);
    EXPECT_GT(label.width(), wide);
    label.setFont(Font{.name = "Arial", .size = 16});
    EXPECT_GT(label.height(), two.height);
    label.setCaption("two\nlines");
    EXPECT_EQ(label.height(), h.ui.textSize(label.font(), "two\nlines").height);
    EXPECT_GT(label.height(), h.ui.textSize(label.font(), "two").height);
}

TEST_F(ControlSizingTest, ResizeIsRaisedOnlyWhenTheSizeChanges) {
    auto& box = form().c("picBox");
    box.move(10, 10, 1000, 800);
    EXPECT_EQ(form().boxResizes, 0);
    box.setWidth(1200);
    box.setHeight(900);
    EXPECT_EQ(form().boxResizes, 2);
}

TEST_F(ControlSizingTest, AdoptedControlsAreReachedByNameAndGoWithTheLoad) {
    EXPECT_EQ(form().c("imgPart").containerName(), "picBox");
    form().unload();
    EXPECT_FALSE(form().has("imgPart"));
    auto& other = h.app().instance<SizingForm>();
    class Stranger : public Form {
    public:
        Stranger() : Form("frmStranger") {}
        FormDesign formDesign() override { return {}; }
        void buildControls() override {}
    } stranger;
    EXPECT_THROW(other.adopt(std::make_unique<Control>(stranger, ControlDesign{.name = "x"})), std::logic_error);
}

TEST_F(ControlSizingTest, MaximizedWindowCoversTheScreen) {
    form().maximized = true;
    EXPECT_EQ(form().left(), 0);
    EXPECT_EQ(form().top(), 0);
    EXPECT_EQ(form().width(), h.ui.screenWidth());
    EXPECT_EQ(form().height(), h.ui.screenHeight());
    EXPECT_EQ(form().scaleHeight(), h.ui.screenHeight());
}

TEST_F(ControlSizingTest, HeadlessHandlesAreOptionalAndNewOnEveryLoad) {
    EXPECT_EQ(form().hWnd(), 0u);
    form().unload();
    h.ui.windowHandles = true;
    const Handle first = form().hWnd();
    EXPECT_NE(first, 0u);
    const Handle box = form().c("picBox").hWnd();
    EXPECT_NE(box, 0u);
    EXPECT_NE(box, first);
    EXPECT_NE(box, form().c("lblFit").hWnd());
    form().unload();
    EXPECT_NE(form().hWnd(), first);
}

}  // namespace
}  // namespace tavlo::rt
