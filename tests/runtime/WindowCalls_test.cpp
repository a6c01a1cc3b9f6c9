#include <gtest/gtest.h>

#include "platform/fake/HeadlessApp.h"
#include "runtime/WindowCalls.h"

namespace tavlo::rt {
namespace {

TEST(WindowCallsTest, TopMostOnlyForTrueAndOnlyTrueReportsTheCall) {
    platform::fake::HeadlessApp h;
    EXPECT_EQ(SetTopMost(12, True), 1);
    EXPECT_EQ(SetTopMost(12, 1), 0);
    EXPECT_EQ(SetTopMost(0, True), 0) << "the call fails for no window";
    EXPECT_EQ(h.sys.windows.calls,
              (std::vector<std::string>{"SetWindowPos 12 -1 3", "SetWindowPos 12 -2 3", "SetWindowPos 0 -1 3"}));
}

TEST(WindowCallsTest, SystemMoveReleasesTheCaptureThenPressesTheCaption) {
    platform::fake::HeadlessApp h;
    StartSystemMove(34);
    EXPECT_EQ(h.sys.windows.calls, (std::vector<std::string>{"ReleaseCapture", "SendMessage 34 161 2 0"}));
}

}  // namespace
}  // namespace tavlo::rt
