// The hostile-stick cases on the real system under Wine: a removable drive
// defined through Wine's mount manager over a host folder with real files,
// scanned by the main window's scan driver with the real file services, and
// pulled again in teardown (or in the middle of a scan). Databases are real
// SQLite files in a folder that stands in for the system folder. Each case
// ends with the program's messages, and no file goes without a Yes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "core/Program.h"
#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"
#include "runtime/Headless.h"
#include "WineHost.h"

namespace tavlo::hostile {
namespace {

using platform::win32::extendedPath;
using platform::win32::narrow;
using platform::win32::widen;
using Texts = std::vector<std::string>;

// ---- the host side ----------------------------------------------------------

using wine_host::hostPath;

bool onDisk(const std::string& windowsPath) {
    return GetFileAttributesW(extendedPath(windowsPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder for the end markers of host commands: the temporary folder.
std::string markerFolder() {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    std::string folder = narrow(temp);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

// Runs a host shell command and waits (at most `seconds`) until it has
// written its end marker: Wine starts host programs but does not wait for them.
bool runOnHost(const std::string& command, int seconds = 60) {
    static int count = 0;
    const std::string name = "tavlo-done-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    const std::string marker = markerFolder() + "\\" + name;
    std::wstring line = widen("Z:\\bin\\sh -c \"" + command + " ; touch '" + hostPath(markerFolder()) + "/" + name + "'\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < seconds * 40 && !onDisk(marker); ++i) Sleep(25);
    const bool done = onDisk(marker);
    DeleteFileW(extendedPath(marker).c_str());
    return done;
}

// ---- a removable drive through Wine's mount manager --------------------------

constexpr DWORD kDefineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// The request: a 32-byte header, then the host path as 8-bit text.
struct UnixDrive {
    ULONG size, type, fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset, device_offset, label_offset;
};
static_assert(sizeof(UnixDrive) == 32);

// Makes the letter a removable drive over the host folder, or, with no
// folder, takes the letter away.
bool defineDrive(char letter, const std::string& hostFolder) {
    std::vector<char> buffer(sizeof(UnixDrive) + hostFolder.size() + 1, 0);
    auto* drive = reinterpret_cast<UnixDrive*>(buffer.data());
    drive->size = static_cast<ULONG>(hostFolder.empty() ? sizeof(UnixDrive) : buffer.size());
    drive->type = hostFolder.empty() ? 1 : 2;
    drive->letter = static_cast<WCHAR>(letter | 0x20);
    if (!hostFolder.empty()) {
        drive->mount_point_offset = sizeof(UnixDrive);
        std::copy(hostFolder.begin(), hostFolder.end(), buffer.begin() + sizeof(UnixDrive));
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, drive, drive->size, nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return ok;
}

class RemovableDrive {
public:
    RemovableDrive(char letter, const std::string& hostFolder) : letter_(letter) {
        plugged_ = defineDrive(letter, hostFolder);
    }
    ~RemovableDrive() { pull(); }
    RemovableDrive(const RemovableDrive&) = delete;
    RemovableDrive& operator=(const RemovableDrive&) = delete;
    bool plugged() const { return plugged_; }
    void pull() {
        if (plugged_) defineDrive(letter_, "");
        plugged_ = false;
    }

private:
    char letter_;
    bool plugged_ = false;
};

// ---- the program ---------------------------------------------------------------

// The real file services, with the system folder moved to a folder of the test.
class FilesInFolder : public platform::win32::Win32FileSystem {
public:
    std::string folder;
    std::string systemFolder() override { return folder; }
};

struct ProgramEnded {};

class EndRecorder : public platform::Process {
public:
    [[noreturn]] void end(int) override { throw ProgramEnded{}; }
};

std::string tempFolder(const std::string& what) {
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    std::string folder = narrow(temp) + "tavlo-" + what + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDirectoryW(extendedPath(folder).c_str(), nullptr);
    return folder;
}

class WineStick : public ::testing::Test {
protected:
    WineStick() {
        files.folder = tempFolder("system");
        stick = tempFolder("stick");
        const std::string driver = real->env.variable("TAVLO_ODBC_DRIVER");
        if (!driver.empty()) {
            core::MakeSettingsDatabase(driver, real->env.driverPath(systemFile("pso.dat")));
            core::MakeIgnoreDatabase(driver, real->env.driverPath(systemFile("pro.dat")));
        }
        core::CipherKey() = core::kCipherKey;
    }
    ~WineStick() override {
        h.reset();
        drive.reset();
        for (const auto& folder : {stick, files.folder})
            if (!folder.empty() && hostPath(folder).find("/tavlo-") != std::string::npos)
                runOnHost("rm -rf '" + hostPath(folder) + "'");
    }

    std::string systemFile(const std::string& name) const { return files.folder + "\\" + name; }
    // A path on the stick's host folder, reached through Z:, plugged or not.
    std::string onStick(const std::string& relative) const { return stick + "\\" + relative; }
    // The same file as the program sees it on the drive.
    std::string onDrive(const std::string& relative) const { return std::string{letter, ':', '\\'} + relative; }

    void makeFolder(const std::string& relative) {
        ASSERT_TRUE(CreateDirectoryW(extendedPath(onStick(relative)).c_str(), nullptr)) << relative;
    }
    void makeFile(const std::string& relative, LONGLONG size = 100) {
        HANDLE f = CreateFileW(extendedPath(onStick(relative)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE) << relative;
        LARGE_INTEGER end;
        end.QuadPart = size;
        SetFilePointerEx(f, end, nullptr, FILE_BEGIN);
        SetEndOfFile(f);
        CloseHandle(f);
        made.push_back(relative);
    }

    // Plugs the stick at the letter and lets the scan driver run, as the
    // drive poll does when it sees the new drive. Each case has a letter of
    // its own from G: to L:, apart from the letters other tests take.
    void plugAndScan(char driveLetter) {
        letter = driveLetter;
        drive = std::make_unique<RemovableDrive>(letter, hostPath(stick));
        ASSERT_TRUE(drive->plugged());
        ASSERT_EQ(GetDriveTypeA(std::string{letter, ':', '\\'}.c_str()), static_cast<UINT>(DRIVE_REMOVABLE));
        auto& g = core::globals();
        g.DriveAttached[core::Globals::letterIndex(letter)] = rt::True;
        g.AbortScanRequested = rt::False;
        f().show();
        f().c("txtNo1").append(".");
    }

    core::Frm0& f() { return core::frm0(); }
    rt::Grid& grid() { return f().grid("MsfInfectd"); }
    Texts rowPaths() {
        Texts paths;
        for (int r = 1; r < grid().rows(); ++r) paths.push_back(grid().textMatrix(r, 1));
        return paths;
    }
    int rowOf(const std::string& path) {
        for (int r = 1; r < grid().rows(); ++r)
            if (grid().textMatrix(r, 1) == path) return r;
        return -1;
    }
    std::string status() { return f().c("lblCncMsg").caption(); }
    Texts messages() { return h->ui.prompts(); }
    void pressDelete(int row) {
        grid().setMouseCell(row, 4);
        grid().clickCell(row, 4);
        f().c("cmdDel").click();
    }
    void expectTotal(int risky) {
        EXPECT_FALSE(core::globals().ScanInProgress);
        EXPECT_EQ(status(), "Risky Objects found: " + std::to_string(risky));
    }
    // Every file made on the stick is still there, seen from the host side.
    void expectNothingDeleted() {
        for (const auto& relative : made) EXPECT_TRUE(onDisk(onStick(relative))) << relative;
    }

    std::unique_ptr<platform::win32::Win32System> real = platform::win32::makeWin32System();
    FilesInFolder files;
    EndRecorder process;
    platform::Services services{files,        real->registry, real->http, real->shell,
                                real->tray,   real->windows,  process,    real->env};
    struct Program {
        rt::HeadlessUi ui;
        rt::ManualClock clock;
        rt::AppScope scope;
        explicit Program(platform::Services& s) : scope(ui, clock, s) {}
    };
    std::unique_ptr<Program> h = std::make_unique<Program>(services);
    std::string stick;
    char letter = 0;
    std::unique_ptr<RemovableDrive> drive;
    Texts made;
};

// ---- the cases -------------------------------------------------------------------

TEST_F(WineStick, LinkLoopsNestingLongPathsAndHostileNames) {
    makeFolder("sub");
    makeFile("sub\\x.exe");
    ASSERT_TRUE(runOnHost("ln -s '" + hostPath(stick) + "' '" + hostPath(onStick("sub")) + "/loop'"));
    std::string deep;
    for (int i = 0; i < 200; ++i) {
        deep += (i ? "\\" : "") + std::string(1, static_cast<char>('a' + i % 26));
        makeFolder(deep);
    }
    makeFile(deep + "\\deep.pif");
    std::string longFolder = "l";
    for (int i = 0; i < 4; ++i) {
        longFolder += "\\" + std::string(80, static_cast<char>('m' + i));
        if (i == 0) makeFolder("l");
        makeFolder(longFolder);
    }
    makeFile(longFolder + "\\autorun.inf");
    for (const char* name : {"it's.exe", "100%.exe", "%s%n%x.com", "вирус.exe", "日本.pif", "trail.exe.",
                             "blank.exe ", "dots..."})
        makeFile(name);
    plugAndScan('G');
    Texts expected = {onDrive("sub\\x.exe"), onDrive(deep + "\\deep.pif"), onDrive(longFolder + "\\autorun.inf"),
                      onDrive("it's.exe"), onDrive("100%.exe"), onDrive("%s%n%x.com"), onDrive("вирус.exe"),
                      onDrive("日本.pif")};
    Texts shown = rowPaths();
    std::sort(expected.begin(), expected.end());
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, expected);
    EXPECT_GT(onDrive(longFolder + "\\autorun.inf").size(), 300u);
    EXPECT_EQ(f().c("lblCount").caption(), "11");
    expectTotal(8);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(grid().textMatrix(rowOf(onDrive("it's.exe")), 3), "");
    expectNothingDeleted();
}

// Names that differ only in a trailing dot or blank are different files on
// the stick: a Yes deletes the file of the row, not its look-alike.
TEST_F(WineStick, DeleteTakesExactlyTheFileOfTheRowBesideLookAlikes) {
    makeFolder("dir");
    makeFolder("dir.");
    makeFolder("dir ");
    makeFile("dir\\x.exe");
    makeFile("dir.\\x.exe");
    makeFile("dir \\x.exe");
    makeFile("y.exe");
    makeFile("y.exe.");
    makeFile("y.exe ");
    plugAndScan('H');
    ASSERT_EQ(rowPaths().size(), 4u) << ::testing::PrintToString(rowPaths());
    h->ui.answers = {rt::No};
    pressDelete(rowOf(onDrive("dir.\\x.exe")));
    expectNothingDeleted();
    for (const char* target : {"dir.\\x.exe", "dir \\x.exe", "y.exe"}) {
        SCOPED_TRACE(target);
        h->ui.answers = {rt::Yes};
        pressDelete(rowOf(onDrive(target)));
        EXPECT_EQ(status(), "Deleted");
        EXPECT_FALSE(onDisk(onStick(target)));
        made.erase(std::find(made.begin(), made.end(), target));
        expectNothingDeleted();
    }
    EXPECT_EQ(messages().size(), 4u);
}

TEST_F(WineStick, HundredThousandFilesAreAllExamined) {
    makeFolder("many");
    ASSERT_TRUE(runOnHost("cd '" + hostPath(onStick("many")) +
                              "' && seq 0 99999 | sed -e 's/.*/f&.txt/' -e '0~100s/txt$/exe/' | xargs touch",
                          120));
    plugAndScan('I');
    EXPECT_EQ(f().c("lblCount").caption(), "100000");
    EXPECT_EQ(rowPaths().size(), 1000u);
    expectTotal(1000);
    EXPECT_TRUE(messages().empty());
}

// A folder that cannot be read when the walk comes to it (taken away on the
// host while the walk examines its parent's files): reported, the walk goes on.
TEST_F(WineStick, FolderThatCannotBeReadIsReportedAndTheWalkGoesOn) {
    makeFile("first.exe");
    makeFolder("a");
    makeFile("a\\x.exe");
    makeFolder("b");
    makeFile("b\\y.exe");
    bool taken = false;
    h->ui.onDoEvents = [&] {
        if (taken || h->ui.doEventsCount < 2) return;
        taken = true;
        const std::string gone = onStick("a");
        runOnHost("mv '" + hostPath(gone) + "' '" + hostPath(gone) + "-'");
    };
    plugAndScan('J');
    EXPECT_EQ(messages(), (Texts{"Scanning Error... "}));
    EXPECT_EQ(rowPaths(), (Texts{onDrive("first.exe"), onDrive("b\\y.exe")}));
    expectTotal(2);
}

TEST_F(WineStick, PulledInTheMiddleOfAScanEndsWithTheDetachedMessage) {
    for (int folder = 0; folder < 5; ++folder) {
        makeFolder("f" + std::to_string(folder));
        for (int file = 0; file < 10; ++file) makeFile("f" + std::to_string(folder) + "\\x" + std::to_string(file) + ".exe");
    }
    h->ui.onDoEvents = [&] {
        if (h->ui.doEventsCount == 15 && drive) drive->pull();
    };
    plugAndScan('K');
    EXPECT_EQ(messages(), (Texts{"Scanning Error... Maybe the a device at K: has detached."}));
    const auto found = static_cast<int>(rowPaths().size());
    EXPECT_GE(found, 10);
    EXPECT_LT(found, 50);
    expectTotal(found);
    EXPECT_TRUE(f().c("txtPath1").enabled());
    // Delete All on the rows of the gone stick finds no file and deletes none.
    h->ui.answers = {rt::Yes};
    f().c("cmdDeltAll").click();
    for (int r = 1; r < grid().rows(); ++r) EXPECT_EQ(grid().textMatrix(r, 4), "") << r;
    expectNothingDeleted();
}

// ---- the settings database at start-up -----------------------------------------

const Texts kConfErrTwice = {"Conf Err.....Run Setup Again", "Conf Err.....Run Setup Again"};

struct WineDatabases : WineStick {
    void start() {
        core::StartProgram();
        EXPECT_THROW(h->clock.advance(10), ProgramEnded);
        EXPECT_EQ(messages(), kConfErrTwice);
    }
};

TEST_F(WineDatabases, MissingSettingsDatabaseEndsTheStart) {
    ASSERT_TRUE(DeleteFileW(extendedPath(systemFile("pso.dat")).c_str()));
    start();
}

TEST_F(WineDatabases, SettingsFileThatIsNoDatabaseEndsTheStartAndIsLeftAlone) {
    const std::string bytes = "MZ this is a program, not a database";
    HANDLE file = CreateFileW(extendedPath(systemFile("pso.dat")).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    start();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(extendedPath(systemFile("pso.dat")).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, bytes.size());
}

TEST_F(WineDatabases, SettingsDatabaseLockedByAnotherProcessEndsTheStart) {
    const std::string db = hostPath(systemFile("pso.dat"));
    const std::string locked = hostPath(files.folder) + "/locked";
    // The host's sqlite3 holds an exclusive lock for a few seconds, in a
    // process of its own; the command returns when it has ended.
    bool released = false;
    std::thread other([&] {
        released = runOnHost("sqlite3 '" + db + "' 'BEGIN EXCLUSIVE;' 'SELECT count(*) FROM sqlite_master;' '.shell touch " +
                             locked + "; sleep 5' >/dev/null");
    });
    for (int i = 0; i < 400 && !onDisk(files.folder + "\\locked"); ++i) Sleep(25);
    const bool wasLocked = onDisk(files.folder + "\\locked");
    if (wasLocked) start();
    other.join();
    ASSERT_TRUE(wasLocked) << "sqlite3 did not take the lock";
    EXPECT_TRUE(released);
}

// ---- the ignore database during a scan --------------------------------------------

TEST_F(WineDatabases, IgnoreDatabaseThatIsNoDatabaseLeavesTheRowsAndTheIgnoreButtonTellsTheUser) {
    const std::string bytes = "not a database";
    HANDLE file = CreateFileW(extendedPath(systemFile("pro.dat")).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    makeFile("x.exe");
    plugAndScan('L');
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(rowPaths(), (Texts{onDrive("x.exe")}));
    EXPECT_EQ(grid().textMatrix(1, 3), "Ignore");
    expectTotal(1);
    grid().setMouseCell(1, 3);
    grid().clickCell(1, 3);
    f().c("cmdIgn").click();
    EXPECT_EQ(status(), "Ignore list error...\r\nReinstall Tavlo to recover the problem.");
    EXPECT_EQ(grid().textMatrix(1, 3), "Ignore");
    EXPECT_TRUE(messages().empty());
    expectNothingDeleted();
}

}  // namespace
}  // namespace tavlo::hostile
