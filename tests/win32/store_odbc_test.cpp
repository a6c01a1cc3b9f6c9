// The settings store through the real ODBC driver (SQLite3 under Wine) on
// real files: values and the ignore list kept across runs of the program,
// and every way the settings database can be unusable ending the start.
#include "WineHost.h"
#include "core/Program.h"
#include "scanner/FrmIgnrLst.h"

namespace tavlo::wine_host {
namespace {

using Texts = std::vector<std::string>;
const Texts kConfErrTwice = {"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"};

// The file's size and attributes; 0 when it is missing.
std::uint64_t stateOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(extendedPath(path).c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow + (std::uint64_t{data.dwFileAttributes} << 32);
}

using StoreTest = RealSystemTest;

TEST_F(StoreTest, ValuesAndTheIgnoreListOutliveTheProgram) {
    makeDatabases();
    core::SaveConf("zxxis", "it's", "a value's");
    EXPECT_EQ(core::GetConf("zxxis", "it's"), "a value's");
    auto& list = scanner::frmIgnrLst();
    list.show();
    program->clock.advance(10);
    program->ui.inputs = {"E:\\keep.exe", "E:\\gone.exe"};
    list.c("cmdAddIt").click();
    list.c("cmdAddIt").click();
    list.c("cmdRfrsh").click();
    list.grid("MsfInfectd").clickCell(2, 1);
    list.c("cmdDel").click();
    EXPECT_EQ(list.grid("MsfInfectd").textMatrix(2, 2), "[Removed]");
    EXPECT_EQ(messages().size(), 1u);  // the question of the removal
    program.reset();  // the next run
    program = std::make_unique<Program>(services);
    EXPECT_EQ(core::GetConf("zxxis", "it's"), "a value's");
    scanner::frmIgnrLst().show();
    program->clock.advance(10);
    auto& g = scanner::frmIgnrLst().grid("MsfInfectd");
    ASSERT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(1, 1), "E:\\keep.exe");
    EXPECT_EQ(g.textMatrix(1, 2), "Don't Ignore");
}

// Each row leaves the settings database unusable in its own way: the start
// says so twice and ends, and the file stays as it was.
TEST_F(StoreTest, UnusableSettingsDatabaseEndsTheStartAndIsLeftAlone) {
    const struct {
        const char* what;
        void (*spoil)(const std::string& pso);
    } rows[] = {
        {"missing", [](const std::string& pso) { DeleteFileW(extendedPath(pso).c_str()); }},
        {"hidden", [](const std::string& pso) { SetFileAttributesW(extendedPath(pso).c_str(), FILE_ATTRIBUTE_HIDDEN); }},
        {"system", [](const std::string& pso) { SetFileAttributesW(extendedPath(pso).c_str(), FILE_ATTRIBUTE_SYSTEM); }},
        {"no database", [](const std::string& pso) { makeFile(pso, 0, 0, "MZ this is a program, not a database"); }},
        {"locked", [](const std::string& pso) {  // by the host's sqlite3, for 5 s, in a process of its own
             runOnHost("(sqlite3 '" + hostPath(pso) + "' 'BEGIN EXCLUSIVE;' 'SELECT count(*) FROM sqlite_master;' "
                       "'.shell touch " + hostPath(pso) + "-locked; sleep 5' >/dev/null &)");
             for (int i = 0; i < 400 && !onDisk(pso + "-locked"); ++i) Sleep(25);
             ASSERT_TRUE(onDisk(pso + "-locked")) << "sqlite3 did not take the lock";
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        makeDatabases();
        row.spoil(system / "pso.dat");
        const std::uint64_t before = stateOf(system / "pso.dat");
        program.reset();
        program = std::make_unique<Program>(services);
        core::StartProgram();
        EXPECT_THROW(program->clock.advance(10), ProgramEnded);
        EXPECT_EQ(messages(), kConfErrTwice);
        EXPECT_EQ(stateOf(system / "pso.dat"), before);
        SetFileAttributesW(extendedPath(system / "pso.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(extendedPath(system / "pso.dat").c_str());
    }
}

}  // namespace
}  // namespace tavlo::wine_host
