// The picture button: its parts and layout, the mouse rules, its properties.
#include "core/Mbttn.h"

#include <gtest/gtest.h>

#include "core/CoreFixture.h"

namespace tavlo::core {
namespace {

using tavlo::testing::boxes;
using tavlo::testing::Names;
const rt::Picture kNormal{0x501, "n"}, kHover{0x502, "h"}, kDown{0x503, "d"};

// A window with one picture button, "mbtnGo"; each Click notes the face's picture.
struct HostForm : rt::Form {
    HostForm() : Form("frmHost") {}
    PropertyBag saved;
    std::string clicks;
    std::function<void()> onGo;
    rt::FormDesign formDesign() override { return {}; }
    void buildControls() override {
        auto& b = Mbttn::add(*this, {.name = "mbtnGo", .left = 300, .top = 200, .width = 1200, .height = 400}, saved);
        b.onClick = [this] { clicks += look(c("mbtnGo.bttn").picture()), onGo ? onGo() : void(); };
    }
    // N normal, H hover, D pressed, E empty.
    static char look(const rt::Picture& p) { return p.empty() ? 'E' : p == kNormal ? 'N' : p == kHover ? 'H' : 'D'; }
};

struct MbttnTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    HostForm& host = h.app().instance<HostForm>();
    Mbttn& button() { return Mbttn::of(host, "mbtnGo"); }
    rt::Control& part(const char* name) { return host.c(std::string("mbtnGo.") + name); }
};

// Steps: the part (f face, b background, c caption), the event (v down, ^ up far
// outside, ~ move) and the face's picture after it; then the pictures seen at Click.
TEST_F(MbttnTest, FaceFollowsTheMouseRules) {
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"NHD", rt::LeftButton, "f~H fvD f~D f^N b~N", "D"},
        {"NHD", rt::RightButton, "f~H b~N fvD b~N f^N", "N"},
        {"NHD", rt::MiddleButton, "cvD c~D c^N fvD cvN c^N", "NN"},
        {"N", rt::LeftButton, "f~E b~N fvE f~E f^N", "E"},
        {"NH", rt::LeftButton, "fvE f~E b~N f~H", ""}};
    for (auto [pictures, button, steps, clicks] : cases) {
        host.unload();
        host.clicks.clear();
        auto& b = Mbttn::of(host, "mbtnGo");
        b.setPicture(kNormal);
        if (pictures[1]) b.setFlshPicture(kHover);
        if (pictures[1] && pictures[2]) b.setDownPicture(kDown);
        for (const char* s = steps; *s; s += s[3] ? 4 : 3) {
            auto& p = part(s[0] == 'f' ? "bttn" : s[0] == 'b' ? "imgBk" : "Label1");
            s[1] == 'v'   ? p.mouseDown(button, 0, 50, 50)
            : s[1] == '^' ? p.mouseUp(button, 0, -900, 50)
                          : p.mouseMove(0, 0, 50, 50);
            EXPECT_EQ(HostForm::look(part("bttn").picture()), s[2]) << steps << " at " << s;
        }
        EXPECT_EQ(host.clicks, clicks) << steps;
    }
    host.onGo = [&] { host.unload(); };  // a Click that unloads the host leaves the gone button alone
    for (const char* name : {"bttn", "Label1"}) part(name).mouseDown(1, 0, 0, 0), part(name).mouseUp(1, 0, 0, 0);
    EXPECT_FALSE(host.loaded());
    EXPECT_EQ(host.clicks, "EE");
}

// The face is inset 10 twips, 20 on the right and below; the caption sits centred 20 twips above its
// bottom edge. The saved properties come back on a reload.
TEST_F(MbttnTest, LayoutAndPropertiesThatComeBackAfterReload) {
    auto& caption = part("Label1");
    button().setCaption("Go");
    button().move(300, 200, 1300, 500);
    EXPECT_EQ(boxes(host, {"mbtnGo.bttn", "mbtnGo.imgBk"}), "4800x3600 10,10,1270,470 0,0,1300,500");
    EXPECT_EQ((std::tuple{caption.foreColor(), caption.transparent(), caption.alignment(), caption.width() > 0,
                          caption.top() + caption.height()}),
              (std::tuple{0x80000012u, true, 2, true, 450}));
    EXPECT_NEAR(caption.left() + caption.width() / 2.0, 635, 0.5);
    button().move(0, 0, 20, 10);
    EXPECT_EQ(boxes(host, {"mbtnGo.bttn"}), "4800x3600 10,10,0,0");
    PropertyBag bag;
    auto& b = button();
    const rt::Font font{.name = "Arial", .size = 9.75, .bold = true};
    b.setPicture(kNormal), b.setCaption("Go"), b.setFont(font), b.setForeColor(0x123456), b.setTip("Start");
    b.setDownPicture(kDown), b.setFlshPicture(kHover);
    b.WriteProperties(bag);
    host.unload();
    host.saved = bag;
    auto& again = button();  // the same artwork, loaded anew
    EXPECT_EQ((Names{again.Picture().resource, again.FlshPicture().resource, again.DownPicture().resource,
                     again.Orgpic().resource, part("imgBk").picture().resource}),
              (Names{"n", "h", "d", "n", "n"}));
    EXPECT_EQ((std::tuple{again.Caption(), again.Font(), again.ForeColor(), again.showsPressed(), again.Tip()}),
              (std::tuple{"Go", font, 0x123456u, false, "Start"}));
    host.unload();
    host.saved = mbttnLayout("Close", "art");
    EXPECT_EQ((Names{button().Picture().resource, button().DownPicture().resource, button().Caption()}),
              (Names{"art_normal", "art_down", "Close"}));
}

}  // namespace
}  // namespace tavlo::core
