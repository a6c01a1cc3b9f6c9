// The store on the real system: a settings database in a folder of the real
// file system (under Wine, reached by the SQLite3 driver through the host's
// path of it), found or not by the real existence test, with real attributes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"
#include "runtime/Headless.h"

namespace tavlo::platform::win32 {
namespace {

constexpr const char* kConfErr = "Conf Err.....Run Setup Again";

// The real file services, with the system folder moved to a folder of the test.
class FilesInFolder : public Win32FileSystem {
public:
    explicit FilesInFolder(std::string folder) : folder_(std::move(folder)) {}
    std::string systemFolder() override { return folder_; }

private:
    std::string folder_;
};

struct ProgramEnded {};

// The process end, kept from ending the test.
class EndRecorder : public Process {
public:
    [[noreturn]] void end(int) override { throw ProgramEnded{}; }
};

std::string freshFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"tavlo-store-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
        std::to_wstring(GetTickCount());
    CreateDirectoryW(folder.c_str(), nullptr);
    return narrow(folder);
}

class StoreOnTheSystem : public ::testing::Test {
protected:
    StoreOnTheSystem() : folder(freshFolder()), files(folder) {}
    ~StoreOnTheSystem() override {
        for (const char* name : {"pso.dat", "pro.dat"}) {
            SetFileAttributesW(widen(path(name)).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(widen(path(name)).c_str());
        }
        RemoveDirectoryW(widen(folder).c_str());
    }
    std::string path(const std::string& name) const { return folder + "\\" + name; }
    void makeDatabases() {
        const std::string driver = env.variable("TAVLO_ODBC_DRIVER");
        ASSERT_FALSE(driver.empty()) << "the tests run with the SQLite3 driver";
        core::MakeSettingsDatabase(driver, env.driverPath(path("pso.dat")));
        core::MakeIgnoreDatabase(driver, env.driverPath(path("pro.dat")));
    }
    void setAttributes(DWORD attributes) {
        ASSERT_TRUE(SetFileAttributesW(widen(path("pso.dat")).c_str(), attributes));
        ASSERT_TRUE(SetFileAttributesW(widen(path("pro.dat")).c_str(), attributes));
    }

    std::string folder;
    FilesInFolder files;
    Win32Environment env;
    EndRecorder process;
    std::unique_ptr<Win32System> real = makeWin32System();
    Services services{files, real->registry, real->http, real->shell, real->tray, real->windows, process, env};
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    rt::AppScope scope{ui, clock, services};
};

TEST_F(StoreOnTheSystem, NormalDatabasesOpenAndKeepValues) {
    makeDatabases();
    core::SaveConf("zxxis", "it's", "a value's");
    EXPECT_EQ(core::GetConf("zxxis", "it's"), "a value's");
    ASSERT_TRUE(core::EnsureIgnoreDb());
    core::IgnoreListAdd("E:\\it's.exe");
    EXPECT_TRUE(core::IgnoreListHas("E:\\it's.exe"));
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(StoreOnTheSystem, HiddenDatabasesCountAsMissing) {
    makeDatabases();
    setAttributes(FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_THROW(core::GetConf("zxxis", "wpop"), ProgramEnded);
    EXPECT_EQ(ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr}));
}

TEST_F(StoreOnTheSystem, SystemDatabasesCountAsMissing) {
    makeDatabases();
    setAttributes(FILE_ATTRIBUTE_SYSTEM);
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_FALSE(core::EnsureConfDb());
    EXPECT_EQ(ui.prompts(), (std::vector<std::string>{kConfErr, kConfErr}));
}

TEST_F(StoreOnTheSystem, MissingDatabasesAreNotCreated) {
    EXPECT_FALSE(core::EnsureConfDb());
    EXPECT_FALSE(core::EnsureIgnoreDb());
    EXPECT_EQ(GetFileAttributesW(widen(path("pso.dat")).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(widen(path("pro.dat")).c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tavlo::platform::win32
