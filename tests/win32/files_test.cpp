// The file services on the real file system (the prefix's C: drive, host
// folders given a drive letter), and the settings store through the real ODBC
// driver (SQLite3 under Wine): values and the ignore list kept across runs,
// every unusable settings database ending the start.
#include <map>

#include "WineHost.h"
#include "core/Program.h"

namespace tavlo::wine_host {
namespace {

using platform::DirEntry;

struct FilesTest : ::testing::Test {
    TempFolder root{"files"};
    platform::win32::Win32FileSystem files;
    std::map<std::string, DirEntry> listed(const std::string& folder) {
        std::map<std::string, DirEntry> byName;
        for (auto& e : files.list(folder).value_or(std::vector<DirEntry>{{"<unreadable>"}})) byName[e.name] = e;
        return byName;
    }
};

// Names the ordinary path form would bend are listed and deleted as they
// are, beside the name they would bend into; a read-only file once reset.
TEST_F(FilesTest, EveryNameIsListedWithItsSizeAndAttributesAndDeletedAsListed) {
    constexpr DWORD H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM, R = FILE_ATTRIBUTE_READONLY;
    const struct {
        std::string name;
        LONGLONG size;
        DWORD attributes;
        bool normal;  // found by the normal-file search
    } rows[] = {{"plain.exe", 1234, 0, true},         {"readonly.exe", 1, R, true},  {"hidden.exe", 5, H, false},
                {"system.com", 6, S, false},           {"guard.pif", 6, H | S | R, false},
                {"\xCE\xA9\xE8\xB5\x84.exe", 7, 0, true}, {"it's 100% free.exe", 8, 0, true},
                {"big.exe", (5ll << 30) + 3, 0, true}, {"trail.", 3, 0, true},        {"trail ", 3, 0, true},
                {"aux.exe", 3, 0, true},               {"con", 3, 0, true}};
    for (const auto& row : rows) makeFile(root / row.name, row.size, row.attributes);
    makeFolder(root / "sub");
    makeFile(root / "sub\\inner.pif");
    auto e = listed(root.path);
    ASSERT_EQ(e.size(), std::size(rows) + 1);  // no "." or "..", nothing from below
    for (const auto& row : rows) {
        SCOPED_TRACE("[" + row.name + "]");
        EXPECT_EQ(e[row.name].size, static_cast<std::uint64_t>(row.size));
        EXPECT_EQ(e[row.name].attributes & (platform::AttrHidden | platform::AttrSystem | platform::AttrDirectory),
                  row.attributes & (H | S));
        EXPECT_EQ(files.existsNormal(root / row.name), row.normal);
        EXPECT_EQ(files.remove(root / row.name), !(row.attributes & R));
        EXPECT_TRUE(!(row.attributes & R) || (files.resetAttributes(root / row.name) && files.remove(root / row.name)));
    }
    EXPECT_TRUE(e["sub"].isFolder() && !e["sub"].isLink() && files.existsFolder(root / "sub"));
    EXPECT_FALSE(files.existsNormal(root / "sub") || files.existsFolder(root / "con"));
    makeFile(root / "trail", 1);
    e = listed(root.path);
    EXPECT_EQ(e.size(), 2u);
    EXPECT_EQ(e.count("trail") + e.count("sub"), 2u);
    EXPECT_FALSE(files.list(root / "missing") || files.list(root / "trail"));
    EXPECT_FALSE(files.remove(root / "missing.exe"));
    const std::string missingFile = files.lastError();
    EXPECT_FALSE(files.resetAttributes(root / "nowhere\\missing.exe"));
    EXPECT_NE(files.lastError(), missingFile);  // a missing folder reads otherwise
    EXPECT_EQ(missingFile.find_first_of("\r\n"), std::string::npos);
}

// A freshly formatted stick's root has not even "." and "..": still a
// readable, empty folder. The letter is one of p: to y:, by process.
TEST_F(FilesTest, DrivesAreLettersAndAnEmptyDriveRootListsAsEmpty) {
    makeFolder(root / "target");
    const auto drives = files.drives();
    EXPECT_NE(std::find(drives.begin(), drives.end(), "c:"), drives.end());
    EXPECT_EQ(files.driveType("C:"), platform::DriveType::Fixed);
    char letter = 'p' + GetCurrentProcessId() % 10;
    while (std::find(drives.begin(), drives.end(), std::string{letter, ':'}) != drives.end())
        letter = static_cast<char>('p' + (letter - 'o') % 10);
    const std::string drive{static_cast<char>(letter - 32), ':'};
    {
        HostDrive fixed(letter, hostPath(root / "target"), HostDrive::Fixed);
        ASSERT_TRUE(fixed.plugged);
        EXPECT_EQ(files.driveType(drive), platform::DriveType::Fixed);
        for (const std::string& form : {drive, drive + "\\"}) EXPECT_TRUE(listed(form).empty()) << form;
    }
    EXPECT_EQ(files.driveType(drive), platform::DriveType::NoRootDir);
    EXPECT_FALSE(files.list(drive + "\\"));
}

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
    ASSERT_TRUE(core::EnsureIgnoreDb());
    core::IgnoreListAdd("E:\\keep.exe");
    program.reset();  // the next run
    program = std::make_unique<Program>(services);
    EXPECT_EQ(core::GetConf("zxxis", "it's"), "a value's");
    EXPECT_TRUE(core::EnsureIgnoreDb() && core::IgnoreListHas("E:\\keep.exe") && !core::IgnoreListHas("E:\\x.exe"));
    EXPECT_TRUE(messages().empty());
}

// Each row leaves the settings database unusable in its own way: the start
// says so twice and ends, and the file stays as it was.
TEST_F(StoreTest, UnusableSettingsDatabaseEndsTheStartAndIsLeftAlone) {
    const struct {
        const char* what;
        void (*spoil)(const std::string& pso);
    } rows[] = {
        {"missing", [](const std::string& pso) { DeleteFileW(extendedPath(pso).c_str()); }},
        {"hidden", [](const std::string& p) { SetFileAttributesW(extendedPath(p).c_str(), FILE_ATTRIBUTE_HIDDEN); }},
        {"system", [](const std::string& p) { SetFileAttributesW(extendedPath(p).c_str(), FILE_ATTRIBUTE_SYSTEM); }},
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
        EXPECT_EQ(messages(), std::vector<std::string>(2, "Conf Err.....Run Setup Again"));
        EXPECT_EQ(stateOf(system / "pso.dat"), before);
        SetFileAttributesW(extendedPath(system / "pso.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(extendedPath(system / "pso.dat").c_str());
    }
}

}  // namespace
}  // namespace tavlo::wine_host
