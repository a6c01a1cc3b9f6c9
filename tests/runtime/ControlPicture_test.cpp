#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"

namespace tavlo::rt {
namespace {

class PictureForm : public Form {
public:
    PictureForm() : Form("frmPictures") {}

protected:
    FormDesign formDesign() override { return {}; }
    void buildControls() override {
        add({.kind = Kind::Picture, .name = "picNrml", .picture = "tab_normal"});
        add({.kind = Kind::Picture, .name = "picTab", .picture = "tab_normal"});
        add({.kind = Kind::Picture, .name = "picBare"});
    }
};

TEST(ControlPictureTest, DesignedPicturesLoadWithTheControlAndCopiesShareTheHandle) {
    platform::fake::HeadlessApp h;
    auto& f = h.app().instance<PictureForm>();
    const Picture normal = f.c("picNrml").picture();
    EXPECT_EQ(normal.resource, "tab_normal");
    EXPECT_FALSE(normal.empty());
    EXPECT_TRUE(f.c("picBare").picture().empty());
    EXPECT_EQ(f.c("picTab").picture().resource, "tab_normal");
    f.c("picTab").setPicture(normal);
    EXPECT_EQ(f.c("picTab").picture().handle, normal.handle);
    // A new load loads the designed pictures again.
    f.unload();
    EXPECT_EQ(f.c("picNrml").picture().resource, "tab_normal");
}

}  // namespace
}  // namespace tavlo::rt
