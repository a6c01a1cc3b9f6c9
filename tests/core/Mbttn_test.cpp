#include <gtest/gtest.h>

#include "core/Mbttn.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::core {
namespace {

using rt::LeftButton;
using rt::MiddleButton;
using rt::RightButton;

const rt::Picture kNormal{0x501, "n"}, kHover{0x502, "h"}, kDown{0x503, "d"};

// A window with one picture button, "mbtnGo", 1200 x 400 twips.
class HostForm : public rt::Form {
public:
    HostForm() : Form("frmHost") {}
    PropertyBag saved;
    std::vector<std::string> events;
    std::function<void()> onGo;

protected:
    rt::FormDesign formDesign() override { return {}; }
    void buildControls() override {
        Mbttn::add(*this, {.name = "mbtnGo", .left = 300, .top = 200, .width = 1200, .height = 400}, saved).onClick =
            [this] {
                events.push_back("Click");
                if (onGo) onGo();
            };
    }
};

struct MbttnTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    HostForm& host() { return h.app().instance<HostForm>(); }
    Mbttn& button() { return Mbttn::of(host(), "mbtnGo"); }
    rt::Control& face() { return host().c("mbtnGo.bttn"); }
    rt::Control& back() { return host().c("mbtnGo.imgBk"); }
    rt::Control& caption() { return host().c("mbtnGo.Label1"); }
    // A button with all three pictures.
    Mbttn& dressed() {
        auto& b = button();
        b.setPicture(kNormal);
        b.setFlshPicture(kHover);
        b.setDownPicture(kDown);
        return b;
    }
    static void press(rt::Control& part, int button = LeftButton) { part.mouseDown(button, 0, 50, 50); }
    static void release(rt::Control& part, int button = LeftButton) { part.mouseUp(button, 0, 50, 50); }
    static void hover(rt::Control& part) { part.mouseMove(0, 0, 50, 50); }
    int clicks() { return static_cast<int>(std::count(host().events.begin(), host().events.end(), "Click")); }
};

TEST_F(MbttnTest, PartsAreAddedByNameInsideTheButtonInDrawingOrder) {
    host().load();
    auto& all = host().controls();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0]->name(), "mbtnGo");
    EXPECT_EQ(all[1]->name(), "mbtnGo.imgBk");
    EXPECT_EQ(all[2]->name(), "mbtnGo.bttn");
    EXPECT_EQ(all[3]->name(), "mbtnGo.Label1");
    for (std::size_t i = 1; i < all.size(); ++i) EXPECT_EQ(all[i]->containerName(), "mbtnGo");
    EXPECT_EQ(caption().foreColor(), Mbttn::kDefaultForeColor);  // the missing key's default
    EXPECT_TRUE(caption().transparent());
    EXPECT_EQ(caption().alignment(), 2);
}

TEST_F(MbttnTest, FaceIsInsetAndCaptionSitsAboveTheFaceBottomLeftOfCentre) {
    auto& b = button();
    b.setCaption("Go");
    b.move(300, 200, 1300, 500);
    EXPECT_EQ(face().left(), 10);
    EXPECT_EQ(face().top(), 10);
    EXPECT_EQ(face().width(), 1270);
    EXPECT_EQ(face().height(), 470);
    EXPECT_EQ(back().left(), 0);
    EXPECT_EQ(back().top(), 0);
    EXPECT_EQ(back().width(), 1300);
    EXPECT_EQ(back().height(), 500);
    const auto& c = caption();
    EXPECT_GT(c.width(), 0);
    EXPECT_EQ(c.top(), 470 - (c.height() + 20));
    EXPECT_NEAR(c.left() + c.width() / 2.0, 1270 / 2.0, 0.5);  // 10 left of the face's centre (at 645)
}

TEST_F(MbttnTest, CaptionChangeWaitsForTheNextResize) {
    auto& b = button();
    b.setCaption("Go");
    b.setWidth(1400);
    const rt::Twips left = caption().left();
    b.setCaption("A much longer caption");
    EXPECT_EQ(caption().left(), left);
    b.setWidth(1500);
    EXPECT_LT(caption().left(), left);
}

TEST_F(MbttnTest, TinyButtonGetsAnEmptyFace) {
    button().move(0, 0, 20, 10);
    EXPECT_EQ(face().width(), 0);
    EXPECT_EQ(face().height(), 0);
    EXPECT_EQ(back().width(), 20);
}

// The table of mouse rules, row by row.
TEST_F(MbttnTest, FaceShowsPressedOnPressHoverOnMoveAndNormalAfterClick) {
    dressed();
    hover(face());
    EXPECT_EQ(face().picture(), kHover);
    press(face());
    EXPECT_EQ(face().picture(), kDown);
    hover(face());  // held: the hover rule does not apply
    EXPECT_EQ(face().picture(), kDown);
    rt::Picture duringClick;
    host().onGo = [&] { duringClick = face().picture(); };
    release(face());
    EXPECT_EQ(clicks(), 1);
    EXPECT_EQ(duringClick, kDown);  // Click first, normal picture after
    EXPECT_EQ(face().picture(), kNormal);
}

TEST_F(MbttnTest, BackgroundMoveRestoresTheNormalPicture) {
    dressed();
    hover(face());
    hover(back());
    EXPECT_EQ(face().picture(), kNormal);
    press(face());
    hover(back());
    EXPECT_EQ(face().picture(), kNormal);
}

TEST_F(MbttnTest, CaptionPressTogglesAndCaptionReleaseShowsNormalBeforeClick) {
    dressed();
    press(caption());
    EXPECT_EQ(face().picture(), kDown);
    hover(caption());  // nothing changes
    EXPECT_EQ(face().picture(), kDown);
    rt::Picture duringClick;
    host().onGo = [&] { duringClick = face().picture(); };
    release(caption());
    EXPECT_EQ(duringClick, kNormal);
    EXPECT_EQ(clicks(), 1);

    press(face());
    press(caption());  // already pressed: back to normal
    EXPECT_EQ(face().picture(), kNormal);
}

TEST_F(MbttnTest, AnyButtonClicksAndEachReleaseClicksOnce) {
    dressed();
    press(face(), RightButton);
    EXPECT_EQ(face().picture(), kDown);
    release(face(), RightButton);
    press(face(), MiddleButton);
    release(face(), MiddleButton);
    EXPECT_EQ(clicks(), 2);
    // A double click: press, release, second press, release.
    press(face());
    release(face());
    face().dblClick();
    press(face());
    release(face());
    EXPECT_EQ(clicks(), 4);
}

TEST_F(MbttnTest, PressDragOffAndReleaseStillClicks) {
    dressed();
    press(face());
    hover(back());                           // across the margin
    face().mouseUp(LeftButton, 0, -900, -900);  // released far outside; the face got the press
    EXPECT_EQ(clicks(), 1);
    EXPECT_EQ(face().picture(), kNormal);
}

TEST_F(MbttnTest, OnlyNormalPictureLeavesTheFaceEmptyWhileHoveredOrHeld) {
    button().setPicture(kNormal);
    hover(face());
    EXPECT_TRUE(face().picture().empty());
    EXPECT_EQ(back().picture(), kNormal);  // the full-size background shows through
    hover(back());
    press(face());
    EXPECT_TRUE(face().picture().empty());
    hover(face());  // an empty face counts as showing the empty pressed picture
    EXPECT_TRUE(face().picture().empty());
    release(face());
    EXPECT_EQ(face().picture(), kNormal);
}

TEST_F(MbttnTest, HoverPictureAloneIsNotTakenForPressed) {
    auto& b = button();
    b.setPicture(kNormal);
    b.setFlshPicture(kHover);
    press(face());  // no pressed picture: the face empties
    EXPECT_TRUE(face().picture().empty());
    EXPECT_TRUE(b.showsPressed());
    hover(face());
    EXPECT_TRUE(face().picture().empty());
}

TEST_F(MbttnTest, ClickThatUnloadsTheHostLeavesTheGoneButtonAlone) {
    dressed();
    host().onGo = [&] { host().unload(); };
    press(face());
    release(face());
    EXPECT_FALSE(host().loaded());
    host().load();
    host().onGo = [&] { host().unload(); };
    press(caption());
    release(caption());
    EXPECT_FALSE(host().loaded());
    EXPECT_EQ(clicks(), 2);
}

TEST_F(MbttnTest, SettersIgnoreNothingAndNameTheChangedProperty) {
    auto& b = dressed();
    std::vector<std::string> changed;
    b.onPropertyChanged = [&](const std::string& p) { changed.push_back(p); };
    b.setPicture(std::nullopt);
    b.setFlshPicture(std::nullopt);
    b.setDownPicture(std::nullopt);
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(b.Picture(), kNormal);
    EXPECT_EQ(b.FlshPicture(), kHover);
    EXPECT_EQ(b.DownPicture(), kDown);

    const rt::Picture other{0x777, "o"};
    b.setPicture(other);
    EXPECT_EQ(face().picture(), other);
    EXPECT_EQ(back().picture(), other);
    EXPECT_EQ(b.Orgpic(), other);
    b.setCaption("Go");
    b.setFont(rt::Font{.name = "Arial", .size = 10});
    b.setForeColor(0xFF);
    b.setTip("tip");
    b.setDownPicture(kDown);
    b.setFlshPicture(kHover);
    EXPECT_EQ(changed, (std::vector<std::string>{"Picture", "Caption", "Font", "ForeColor", "Tip", "DownPicture",
                                                 "FlshPicture"}));
    EXPECT_EQ(caption().font().name, "Arial");
    EXPECT_EQ(b.ForeColor(), 0xFFu);
}

TEST_F(MbttnTest, PropertiesAreWrittenInOrderWithoutDefaults) {
    PropertyBag empty;
    button().WriteProperties(empty);
    EXPECT_TRUE(empty.entries().empty());

    auto& b = dressed();
    b.setCaption("Go");
    b.setTip("Start");
    PropertyBag bag;
    b.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), (std::vector<std::string>{"Picture", "Picture", "Picture", "FlshPicture", "DownPicture",
                                                    "Caption", "Tip"}));
}

TEST_F(MbttnTest, SavedPropertiesComeBackAfterReload) {
    auto& b = dressed();
    b.setCaption("Go");
    b.setFont(rt::Font{.name = "Arial", .size = 9.75, .bold = true});
    b.setForeColor(0x123456);
    b.setTip("Start");
    PropertyBag bag;
    b.WriteProperties(bag);
    host().unload();
    host().saved = bag;
    host().load();

    auto& again = button();  // the same artwork, loaded anew
    EXPECT_EQ(again.Picture().resource, kNormal.resource);
    EXPECT_EQ(back().picture(), again.Picture());
    EXPECT_EQ(again.Orgpic(), again.Picture());
    EXPECT_EQ(again.FlshPicture().resource, kHover.resource);
    EXPECT_EQ(again.DownPicture().resource, kDown.resource);
    EXPECT_EQ(again.Caption(), "Go");
    EXPECT_EQ(again.Font(), (rt::Font{.name = "Arial", .size = 9.75, .bold = true}));
    EXPECT_EQ(again.ForeColor(), 0x123456u);
    EXPECT_EQ(face().toolTip(), "Start");
    EXPECT_EQ(caption().toolTip(), "");  // until the tip is read
    EXPECT_EQ(again.Tip(), "Start");
    EXPECT_EQ(caption().toolTip(), "Start");
}

TEST_F(MbttnTest, LayoutArtworkLoadsAsNewPicturesOfTheirOwn) {
    host().saved = mbttnLayout("Close", "alert_button");
    auto& b = button();
    EXPECT_EQ(b.Picture().resource, "alert_button_normal");
    EXPECT_EQ(b.FlshPicture().resource, "alert_button_hover");
    EXPECT_EQ(b.DownPicture().resource, "alert_button_down");
    EXPECT_NE(b.Picture().handle, 0u);
    EXPECT_NE(b.Picture().handle, b.DownPicture().handle);
    EXPECT_FALSE(b.showsPressed());
    EXPECT_EQ(b.Caption(), "Close");
}

}  // namespace
}  // namespace tavlo::core
