#include <gtest/gtest.h>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "core/Mbttn.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::core {
namespace {

using platform::DriveType;

struct ScanPageTest : ::testing::Test {
    platform::fake::HeadlessApp h;
    Globals& g = globals();
    Frm0& w = frm0();

    ScanPageTest() {
        h.sys.files.setDrive('C', DriveType::Fixed);
        h.sys.files.currentFolder_ = "C:\\Program Files\\Tavlo";
        h.sys.files.addFolder("C:\\Program Files\\Tavlo");
    }
    rt::Control& c(const std::string& name) { return w.c(name); }
    // Presses and releases the Scan button's face, as the mouse does.
    void pressScan() {
        rt::Control& face = w.c("mbtnScan.bttn");
        face.mouseDown(rt::LeftButton, 0, 30, 30);
        face.mouseUp(rt::LeftButton, 0, 30, 30);
    }
    // Keeps the clock to the scan page's own timer: the start-up timers of
    // the main window and of the splash (loaded for its icon) stay still.
    void stopStartUpTimers() {
        for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) w.timer(t).setEnabled(false);
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) frmSplash().timer(t).setEnabled(false);
    }
};

TEST_F(ScanPageTest, LoadLeavesNoChoiceAndTheDefaultManualTarget) {
    EXPECT_EQ(c("OptDrvPath").value(), rt::False);
    EXPECT_EQ(c("txtPath1").text(), "");
    EXPECT_EQ(c("txtPath2").text(), "C:\\vir_test");
    EXPECT_FALSE(c("txtPath2").visible());
    EXPECT_FALSE(c("PicNewClVen").visible());
    EXPECT_FALSE(c("picPrgrs1").visible());
    EXPECT_FALSE(c("Image1").visible());
    EXPECT_FALSE(w.timer("tmrProg").enabled());
    EXPECT_EQ(w.timer("tmrProg").interval(), 120);
    EXPECT_EQ(c("Label1").caption(), "Folder ");
}

TEST_F(ScanPageTest, ScanButtonIsAPictureButtonWithFacesOfItsOwn) {
    core::Mbttn& scan = core::Mbttn::of(w, "mbtnScan");
    EXPECT_EQ(scan.left(), 9480);
    EXPECT_EQ(scan.top(), 1440);
    EXPECT_EQ(scan.width(), 855);
    EXPECT_EQ(scan.height(), 375);
    EXPECT_EQ(scan.Caption(), "Scan");
    EXPECT_EQ(scan.Picture().resource, "scan_button_normal");
    EXPECT_EQ(scan.FlshPicture().resource, "scan_button_hover");
    EXPECT_EQ(scan.DownPicture().resource, "scan_button_down");
    rt::Control& face = c("mbtnScan.bttn");
    face.mouseMove(0, 0, 30, 30);
    EXPECT_EQ(face.picture().resource, "scan_button_hover");
    face.mouseDown(rt::LeftButton, 0, 30, 30);
    EXPECT_EQ(face.picture().resource, "scan_button_down");
    face.mouseUp(rt::LeftButton, 0, 30, 30);
    EXPECT_EQ(face.picture().resource, "scan_button_normal");
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Nothing selected to scan.           "}));
}

TEST_F(ScanPageTest, ScanWithNothingChosenOnlyTellsSo) {
    g.AbortScanRequested = rt::True;
    pressScan();
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Nothing selected to scan.           "}));
    EXPECT_EQ(h.ui.dialogs[0].style, 64);
    EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
    EXPECT_EQ(w.ManualScan, rt::False);
    EXPECT_EQ(g.AbortScanRequested, rt::True);
    EXPECT_EQ(h.sys.files.calls.size(), 0u);
}

TEST_F(ScanPageTest, TypingSelectsTheFolderOptionAndCopiesThePath) {
    c("txtPath1").setText("E");
    EXPECT_EQ(c("OptDrvPath").value(), rt::True);
    EXPECT_EQ(c("txtPath2").text(), "E");
    c("txtPath1").setText("");
    EXPECT_EQ(c("txtPath2").text(), "");
    EXPECT_EQ(c("OptDrvPath").value(), rt::True);
}

TEST_F(ScanPageTest, ClickingTheLabelSelectsTheOptionWithoutTouchingTheTarget) {
    c("Label1").click();
    EXPECT_EQ(c("OptDrvPath").value(), rt::True);
    EXPECT_EQ(c("txtPath2").text(), "C:\\vir_test");
    c("Label1").click();
    EXPECT_EQ(c("OptDrvPath").value(), rt::True);
}

TEST_F(ScanPageTest, BrowsePanelOpensUnderTheButtonWithRightEdgesInLine) {
    c("cmdBrowse").click();
    rt::Control& panel = c("PicNewClVen");
    EXPECT_TRUE(panel.visible());
    EXPECT_EQ(panel.left(), 5400);
    EXPECT_EQ(panel.top(), 1790);
    EXPECT_EQ(panel.width(), 3735);
    EXPECT_EQ(panel.height(), w.height() - 500 - 1790);
    EXPECT_EQ(c("Dir1").height(), panel.height() - 720 - (375 + 40));
    EXPECT_EQ(c("cmdOK").top(), 720 + c("Dir1").height() + 30);
}

TEST_F(ScanPageTest, BrowseListsStartOnTheCurrentFolder) {
    EXPECT_EQ(c("DriveX1").text(), "c:");
    EXPECT_EQ(c("Dir1").text(), "C:\\Program Files\\Tavlo");
}

TEST_F(ScanPageTest, ChosenDriveOpensItsFolderAndAClickAcceptsTheOpenFolder) {
    h.sys.files.setDrive('E', DriveType::Removable);
    c("cmdBrowse").click();
    c("DriveX1").setText("e:");
    EXPECT_EQ(c("Dir1").text(), "E:\\");
    c("Dir1").click();
    EXPECT_EQ(c("txtPath1").text(), "E:\\");
    EXPECT_EQ(c("txtPath2").text(), "E:\\");
    EXPECT_EQ(c("OptDrvPath").value(), rt::True);
    EXPECT_FALSE(c("PicNewClVen").visible());
}

TEST_F(ScanPageTest, DriveWithoutMediumKeepsThePreviousFolder) {
    c("DriveX1").setText("a:");
    EXPECT_EQ(h.ui.prompts(), (std::vector<std::string>{"Drive a: is not ready."}));
    EXPECT_EQ(c("Dir1").text(), "C:\\Program Files\\Tavlo");
    EXPECT_EQ(c("DriveX1").text(), "c:");
}

TEST_F(ScanPageTest, CloseHidesThePanelAndChangesNothingElse) {
    c("cmdBrowse").click();
    c("lblBrowClos").click();
    EXPECT_FALSE(c("PicNewClVen").visible());
    EXPECT_EQ(c("txtPath1").text(), "");
    EXPECT_EQ(c("OptDrvPath").value(), rt::False);
}

TEST_F(ScanPageTest, AbortQuestionNoChangesNothing) {
    int refreshes = 0;
    c("txtLastRow").onChange = [&] { ++refreshes; };
    h.ui.answers = {rt::No};
    c("cmdabort").click();
    EXPECT_EQ(h.ui.prompts(),
              (std::vector<std::string>{"Aborting scan is not recommended           \r\nAbort anyway?"}));
    EXPECT_EQ(h.ui.dialogs[0].style, 52);
    EXPECT_EQ(h.ui.dialogs[0].title, "Tavlo");
    EXPECT_EQ(g.AbortScanRequested, rt::False);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(ScanPageTest, AbortQuestionYesRequestsTheAbortThenRefreshes) {
    short flagAtRefresh = 0;
    c("txtLastRow").onChange = [&] { flagAtRefresh = g.AbortScanRequested; };
    h.ui.answers = {rt::Yes};
    c("cmdabort").click();
    EXPECT_EQ(g.AbortScanRequested, rt::True);
    EXPECT_EQ(flagAtRefresh, rt::True);
}

TEST_F(ScanPageTest, ProgressImageStepsNinetyTwipsAndStartsAgainOnTheTwentyThirdTick) {
    stopStartUpTimers();
    w.timer("tmrProg").setEnabled(true);
    std::vector<int> lefts;
    for (int tick = 0; tick < 24; ++tick) {
        h.clock.advance(120);
        lefts.push_back(c("Image1").left());
    }
    EXPECT_TRUE(c("picPrgrs1").visible());
    EXPECT_TRUE(c("Image1").visible());
    for (int i = 0; i < 22; ++i) EXPECT_EQ(lefts[i], 90 * (i + 1)) << i;
    EXPECT_EQ(lefts[21], 1980);
    EXPECT_EQ(lefts[22], 0);
    EXPECT_EQ(lefts[23], 90);
}

}  // namespace
}  // namespace tavlo::core
