// The scan engine's walk over a real folder tree with the system's file
// services (under Wine: the prefix's C: drive), in a fresh temporary folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/Globals.h"
#include "platform/UniqueHandle.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"
#include "runtime/Headless.h"
#include "scanner/ScanEngine.h"
#include "WineHost.h"

namespace tavlo::scanner {
namespace {

using platform::win32::extendedPath;
using platform::win32::narrow;
using platform::win32::widen;

struct FileTraits {
    using type = HANDLE;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { CloseHandle(h); }
};
using UniqueFile = platform::UniqueHandle<FileTraits>;

// A window with the three controls the walk writes to.
class WalkResults : public rt::Form {
public:
    WalkResults() : Form("frmWalkResults") {}

protected:
    rt::FormDesign formDesign() override { return {}; }
    void buildControls() override {
        auto& grid = addGrid({.name = "MsfInfectd"});
        grid.setCols(7);
        grid.setRows(1);
        add({.kind = rt::Kind::Label, .name = "lblCount"});
        add({.kind = rt::Kind::TextBox, .name = "txtLastRow", .visible = false});
    }
};

using wine_host::hostPath;

class ScanWalkOnDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        root_ = narrow(temp) + "tavlo-walk-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        host_ = hostPath(root_);
        removeTree();
        ASSERT_TRUE(CreateDirectoryW(extendedPath(root_).c_str(), nullptr));
        core::globals().ScanInProgress = rt::True;
    }
    void TearDown() override { removeTree(); }

    // The tree goes from the host side when there is one: a host link inside
    // it must go as a link, not as the folder it points at.
    void removeTree() {
        if (!onDisk(root_)) return;
        if (host_.find("/tavlo-walk-") != std::string::npos) {
            std::wstring command = widen("Z:\\bin\\rm -rf \"" + host_ + "\"");
            STARTUPINFOW si{};
            si.cb = sizeof si;
            PROCESS_INFORMATION pi{};
            if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
                CloseHandle(pi.hThread);
                CloseHandle(pi.hProcess);
                for (int i = 0; i < 200 && onDisk(root_); ++i) Sleep(25);
            }
            return;
        }
        removeFolder(extendedPath(root_));
    }
    static void removeFolder(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = folder + L"\\" + name;
                const DWORD a = data.dwFileAttributes;
                if ((a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    removeFolder(child);
                } else if (a & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(child.c_str());
                } else {
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }
    static bool onDisk(const std::string& path) {
        return GetFileAttributesW(extendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::string path(const std::string& relative) const { return root_ + "\\" + relative; }
    void makeFolder(const std::string& relative) {
        ASSERT_TRUE(CreateDirectoryW(extendedPath(path(relative)).c_str(), nullptr)) << relative;
    }
    void makeFile(const std::string& relative, LONGLONG size) {
        UniqueFile f(CreateFileW(extendedPath(path(relative)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(f) << relative;
        LARGE_INTEGER end;
        end.QuadPart = size;
        ASSERT_TRUE(SetFilePointerEx(f.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(f.get())) << relative;
    }
    std::vector<std::string> scan() {
        ScanFolder(root_, app_.app().instance<WalkResults>());
        auto& grid = app_.app().instance<WalkResults>().grid("MsfInfectd");
        std::vector<std::string> rows;
        for (int r = 1; r < grid.rows(); ++r) rows.push_back(grid.textMatrix(r, ColRating) + " " + grid.textMatrix(r, ColObject));
        return rows;
    }
    std::string examined() { return app_.app().instance<WalkResults>().c("lblCount").caption(); }

    struct Program {
        rt::HeadlessUi ui;
        rt::ManualClock clock;
        platform::win32::Win32System system;
        rt::AppScope scope{ui, clock, system.services};
        rt::App& app() { return scope.app(); }
    } app_;
    std::string root_;
    std::string host_;
};

TEST_F(ScanWalkOnDiskTest, RatesRealFilesBySizeAndNameFilesFirstThenSubfolders) {
    makeFile("SETUP.EXE", 111);
    makeFile("big.exe", 1590001);
    makeFile("limit.com", 1590000);
    makeFile("readme.txt", 10);
    makeFolder("sub");
    makeFile("sub\\Autorun.Inf", 20);
    const auto rows = scan();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Very Risky " + path("SETUP.EXE")), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), "Risky " + path("limit.com")), rows.end());
    EXPECT_EQ(rows.back(), "Very Risky " + path("sub\\Autorun.Inf"));
    EXPECT_EQ(examined(), "4");
}

TEST_F(ScanWalkOnDiskTest, LongPathsAndWideNamesAreShownAsTheyAre) {
    std::string deep;
    for (int i = 0; i < 4; ++i) {
        deep += (i ? "\\" : "") + std::string(70, 'p') + std::to_string(i);
        makeFolder(deep);
    }
    makeFolder(deep + "\\Папка 資料");
    makeFile(deep + "\\Папка 資料\\Ω-файл.exe", 5);
    const auto rows = scan();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "Risky " + path(deep + "\\Папка 資料\\Ω-файл.exe"));
    EXPECT_GT(rows[0].size(), 300u);
}

TEST_F(ScanWalkOnDiskTest, TwoHundredNestedFoldersAreWalked) {
    std::string deep;
    for (int i = 0; i < 200; ++i) {
        deep += (i ? "\\" : "") + std::string("n");
        makeFolder(deep);
    }
    makeFile(deep + "\\bottom.pif", 5);
    const auto rows = scan();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "Risky " + path(deep + "\\bottom.pif"));
}

TEST_F(ScanWalkOnDiskTest, LinkBackUpTheTreeIsNotFollowed) {
    if (host_.empty()) GTEST_SKIP() << "needs a host to make the link";
    makeFolder("sub");
    makeFile("sub\\x.exe", 5);
    std::wstring command = widen("Z:\\bin\\ln -s \"" + host_ + "\" \"" + host_ + "/sub/loop\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 200 && !onDisk(path("sub\\loop")); ++i) Sleep(25);
    ASSERT_TRUE(onDisk(path("sub\\loop\\sub\\x.exe")));
    EXPECT_EQ(scan(), (std::vector<std::string>{"Risky " + path("sub\\x.exe")}));
}

TEST_F(ScanWalkOnDiskTest, MissingFolderIsReportedNotWalked) {
    root_ += "\\missing";
    EXPECT_TRUE(scan().empty());
    EXPECT_EQ(app_.ui.prompts(), (std::vector<std::string>{"Scanning Error... "}));
    root_.resize(root_.size() - 8);
}

}  // namespace
}  // namespace tavlo::scanner
