#include "core/Globals.h"
#include "scanner/ResultsFixture.h"

namespace tavlo::testsupport {
namespace {

// The road of one plugged stick through the scan driver into the row actions.
struct ResultsAfterScan : ResultsTest {
    IgnoreDb db{h, folder};
    int rowOf(const std::string& path) {
        for (int r = 1; r < g().rows(); ++r) {
            if (g().textMatrix(r, 5) == path) return r;
        }
        ADD_FAILURE() << path << " has no row";
        return 0;
    }
    void scanStick() {
        core::globals().DriveAttached[core::Globals::letterIndex('E')] = rt::True;
        c("txtNo1").append(".");
    }
};

TEST_F(ResultsAfterScan, ScanMarksListedPathsAndTheLastActionClosesTheAlertsOnce) {
    h.sys.files.addFolder("E:\\");
    h.sys.files.addFile("E:\\run.exe", 5000);
    h.sys.files.addFile("E:\\it's.exe", 5000);
    h.sys.files.addFile("E:\\keep.com", 5000);
    db.add("E:\\keep.com");
    scanStick();
    ASSERT_EQ(g().rows(), 4);
    const int run = rowOf("E:\\run.exe");
    const int quoted = rowOf("E:\\it's.exe");
    const int kept = rowOf("E:\\keep.com");
    EXPECT_EQ(g().textMatrix(run, 3), "Ignore");
    EXPECT_EQ(g().textMatrix(quoted, 3), "");
    EXPECT_EQ(g().textMatrix(kept, 3), "[Ignored]");
    EXPECT_EQ(closings(), 0) << "two rows are open";

    pressIgnore(run);
    EXPECT_EQ(closings(), 0);
    click(quoted, 3);
    EXPECT_FALSE(shown("cmdIgn"));
    pressDelete(quoted);
    EXPECT_FALSE(h.sys.files.exists("E:\\it's.exe"));
    EXPECT_EQ(closings(), 1);
    EXPECT_EQ(db.paths(), (Texts{"E:\\keep.com", "E:\\run.exe"}));
}

}  // namespace
}  // namespace tavlo::testsupport
