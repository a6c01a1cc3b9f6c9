// A settings database locked by another process: the sqlite3 shell holds an
// exclusive lock while the store works. Needs the host's shell, so it runs
// in the native build only.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "core/StoreFixture.h"

namespace tavlo::testing {
namespace {

#ifndef _WIN32

// The sqlite3 shell in another process, holding an exclusive lock on a
// database until it is dropped.
class LockingShell {
public:
    LockingShell(const std::string& database, const std::string& signal) {
        shell_ = popen(("sqlite3 '" + database + "' >/dev/null").c_str(), "w");
        if (!shell_) return;
        std::fprintf(shell_, "BEGIN EXCLUSIVE;\nSELECT count(*) FROM sqlite_master;\n.shell touch '%s'\n",
                     signal.c_str());
        std::fflush(shell_);
        // Wait for the shell to say it holds the lock (bounded: 10 s).
        for (int i = 0; i < 1000 && !std::filesystem::exists(signal); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        locked_ = std::filesystem::exists(signal);
    }
    ~LockingShell() { release(); }
    bool locked() const { return locked_; }
    void release() {
        if (shell_) pclose(shell_);  // the shell ends and its transaction rolls back
        shell_ = nullptr;
    }

private:
    FILE* shell_ = nullptr;
    bool locked_ = false;
};

class LockedStore : public StoreTest {
protected:
    void SetUp() override {
        if (std::system("sqlite3 -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no sqlite3 shell";
        makeConf();
        core::SaveConf("zxxis", "wpop", "before");  // opens the store first
    }
};

TEST_F(LockedStore, WritingReportsTheErrorAndAbortLeaves) {
    LockingShell shell(folder.hostFile("pso.dat"), folder.hostFile("locked"));
    ASSERT_TRUE(shell.locked());
    h.ui.answers = {rt::Abort};
    core::SaveConf("zxxis", "wpop", "during");
    ASSERT_EQ(h.ui.dialogs.size(), 1u);
    EXPECT_NE(h.ui.dialogs[0].prompt.find("locked"), std::string::npos) << h.ui.dialogs[0].prompt;
    EXPECT_EQ(h.ui.dialogs[0].style, rt::AbortRetryIgnore | rt::Critical);
    EXPECT_EQ(h.app().screenPointer(), rt::PointerDefault);
    shell.release();
    EXPECT_EQ(core::GetConf("zxxis", "wpop"), "before");
}

TEST_F(LockedStore, ReadingReportsTheErrorAndIgnoreReadsNoValue) {
    LockingShell shell(folder.hostFile("pso.dat"), folder.hostFile("locked"));
    ASSERT_TRUE(shell.locked());
    h.ui.answers = {rt::Ignore};
    EXPECT_EQ(core::GetConf("zxxis", "wpop"), "");
    EXPECT_EQ(h.ui.dialogs.size(), 1u);
    shell.release();
    EXPECT_EQ(core::GetConf("zxxis", "wpop"), "before");
    EXPECT_EQ(h.ui.dialogs.size(), 1u);
}

#endif

}  // namespace
}  // namespace tavlo::testing
