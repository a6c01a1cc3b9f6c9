#include "Win32Fixture.h"

namespace tavlo::rt::win32::test {
namespace {

struct LocalForm : Form {
    LocalForm() : Form("frmLocal") {}
    FormDesign formDesign() override { return {}; }
    void buildControls() override {}
};

struct LocalModule : Module {
    int calls = 0;
};

TEST_F(Win32Test, OneInstancePerWindowAndModuleAlsoForLocalClasses) {
    SampleForm* sample = &form();
    LocalForm* local = &app().instance<LocalForm>();
    EXPECT_EQ(&form(), sample);
    EXPECT_EQ(&app().instance<LocalForm>(), local);
    ++app().module<LocalModule>().calls;
    ++app().module<LocalModule>().calls;
    EXPECT_EQ(app().module<LocalModule>().calls, 2);
    EXPECT_EQ(app().forms().size(), 2u);
}

}  // namespace
}  // namespace tavlo::rt::win32::test
