// Databases that are missing, locked by another process, or not databases
// at all: the settings database at start-up ends the program after its two
// messages; the ignore database is met by the scan's refresh (silent) and by
// the Ignore button (a status text). No case crashes, hangs or deletes.
#include <gtest/gtest.h>

#include "core/FrmSplash.h"
#include "core/Program.h"
#include "hostile/HostileStick.h"

namespace tavlo::hostile {
namespace {

using platform::fake::ProgramEnded;

const Texts kConfErrTwice = {"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"};

struct SettingsDatabase : HostileStickTest {
    // The start as the program makes it: the splash loads the configuration.
    void start() {
        core::StartProgram();
        EXPECT_THROW(h.clock.advance(10), ProgramEnded);
    }
};

TEST_F(SettingsDatabase, MissingEndsTheStartAfterTwoMessages) {
    removeDatabase("pso.dat");
    start();
    EXPECT_EQ(messages(), kConfErrTwice);
}

TEST_F(SettingsDatabase, FileThatIsNoDatabaseEndsTheStartAfterTwoMessagesAndIsLeftAlone) {
    for (const auto& [what, bytes] : kNotDatabases) {
        SCOPED_TRACE(what);
        platform::fake::HeadlessApp program;  // a fresh start for each file
        program.sys.env = h.sys.env;
        program.sys.files.addFile(systemFile("pso.dat"), bytes.size());
        overwriteDatabase("pso.dat", bytes);
        core::StartProgram();
        EXPECT_THROW(program.clock.advance(10), ProgramEnded);
        EXPECT_EQ(program.ui.prompts(), kConfErrTwice);
        std::ifstream in(folder.hostFile("pso.dat"), std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes) << "the file was changed";
    }
}

TEST_F(SettingsDatabase, LockedByAnotherProcessEndsTheStartAfterTwoMessagesAndKeepsItsRows) {
    if (!LockingProcess::available()) GTEST_SKIP() << "no sqlite3 shell";
    core::SaveConf("zxxis", "wpop", core::EncodeValue("Pop", core::kCipherKey));
    {
        platform::fake::HeadlessApp program;
        program.sys.env = h.sys.env;
        program.sys.files.addFile(systemFile("pso.dat"), 4096);
        LockingProcess other(folder.hostFile("pso.dat"), folder.hostFile("locked"));
        ASSERT_TRUE(other.locked());
        core::StartProgram();
        EXPECT_THROW(program.clock.advance(10), ProgramEnded);
        EXPECT_EQ(program.ui.prompts(), kConfErrTwice);
    }
    // Once the other process has gone, a start finds the settings as they were.
    platform::fake::HeadlessApp program;
    program.sys.env = h.sys.env;
    program.sys.files.addFile(systemFile("pso.dat"), 4096);
    ASSERT_TRUE(core::EnsureConfDb());
    EXPECT_EQ(core::DecodeValue(core::GetConf("", "wpop"), core::kCipherKey), "Pop");
    EXPECT_TRUE(program.ui.dialogs.empty());
}

}  // namespace
}  // namespace tavlo::hostile
