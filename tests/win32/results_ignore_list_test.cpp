// The ignore list window on the real system: the list kept in a real
// "pro.dat" (SQLite3 driver under Wine) survives the end of the program that
// wrote it and is listed by the next one.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"
#include "runtime/Headless.h"
#include "scanner/FrmIgnrLst.h"

namespace tavlo::platform::win32 {
namespace {

// The real file services, with the system folder moved to a folder of the test.
class FilesInFolder : public Win32FileSystem {
public:
    explicit FilesInFolder(std::string folder) : folder_(std::move(folder)) {}
    std::string systemFolder() override { return folder_; }

private:
    std::string folder_;
};

std::string freshFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tavlo-ignore-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(folder.c_str(), nullptr);
    return narrow(folder);
}

// One run of the program: its own user interface, clock and state, on the
// same system services as the other runs.
struct ProgramRun {
    explicit ProgramRun(Services& services) : scope(ui, clock, services) {}
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    rt::AppScope scope;
};

class IgnoreListOnTheSystem : public ::testing::Test {
protected:
    IgnoreListOnTheSystem() : folder(freshFolder()), files(folder) {}
    ~IgnoreListOnTheSystem() override {
        DeleteFileW(widen(folder + "\\pro.dat").c_str());
        RemoveDirectoryW(widen(folder).c_str());
    }
    void SetUp() override {
        const std::string driver = env.variable("TAVLO_ODBC_DRIVER");
        ASSERT_FALSE(driver.empty()) << "the tests run with the SQLite3 driver";
        core::MakeIgnoreDatabase(driver, env.driverPath(folder + "\\pro.dat"));
    }
    // Opens the window as the "White List" button does and lets its load run.
    scanner::FrmIgnrLst& openWindow(ProgramRun& run) {
        scanner::frmIgnrLst().show();
        run.clock.advance(10);
        return scanner::frmIgnrLst();
    }

    std::string folder;
    FilesInFolder files;
    Win32Environment env;
    std::unique_ptr<Win32System> real = makeWin32System();
    Services services{files, real->registry, real->http, real->shell, real->tray, real->windows, real->process, env};
};

TEST_F(IgnoreListOnTheSystem, EntriesSurviveARestart) {
    {
        ProgramRun first(services);
        auto& w = openWindow(first);
        EXPECT_EQ(w.grid("MsfInfectd").textMatrix(0, 0), "Nill");
        first.ui.inputs = {"E:\\keep.exe", "E:\\gone.exe"};
        w.c("cmdAddIt").click();
        w.c("cmdAddIt").click();
        EXPECT_EQ(w.c("lblCncMsg").caption(), "Added into the ignore list");
        w.c("cmdRfrsh").click();
        w.grid("MsfInfectd").clickCell(2, 1);
        w.c("cmdDel").click();
        EXPECT_EQ(w.grid("MsfInfectd").textMatrix(2, 2), "[Removed]");
    }
    ProgramRun second(services);
    auto& w = openWindow(second);
    auto& g = w.grid("MsfInfectd");
    ASSERT_EQ(g.rows(), 2);
    EXPECT_EQ(g.textMatrix(1, 1), "E:\\keep.exe");
    EXPECT_EQ(g.textMatrix(1, 2), "Don't Ignore");
    EXPECT_TRUE(w.c("cmdDelIgnr").enabled());
}

TEST_F(IgnoreListOnTheSystem, HiddenDatabaseIsNotOpened) {
    ASSERT_TRUE(SetFileAttributesW(widen(folder + "\\pro.dat").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ProgramRun run(services);
    auto& w = openWindow(run);
    run.ui.inputs = {"E:\\a.exe"};
    w.c("cmdAddIt").click();
    EXPECT_EQ(w.c("lblCncMsg").caption(), "Ignore list error... Reinstall Tavlo to recover the problem.");
    SetFileAttributesW(widen(folder + "\\pro.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace tavlo::platform::win32
