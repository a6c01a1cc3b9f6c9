// The results grid's delete actions on real files with real attributes:
// Delete resets a hidden file's attributes and deletes it, Delete All finds
// files with the normal-file search and so leaves hidden ones in place, and
// a file the system refuses to delete is reported and its row left open.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/Frm0.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"
#include "runtime/Headless.h"
#include "watch/Frm1.h"

namespace tavlo::platform::win32 {
namespace {

std::string freshFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"tavlo-results-" + std::to_wstring(GetCurrentProcessId()) +
                                L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(folder.c_str(), nullptr);
    return narrow(folder);
}

bool exists(const std::string& path) { return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

class ResultsOnTheSystem : public ::testing::Test {
protected:
    ResultsOnTheSystem() : folder(freshFolder()) { core::frm0().show(); }
    ~ResultsOnTheSystem() override {
        for (auto& path : made) {
            SetFileAttributesW(widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(widen(path).c_str());
        }
        RemoveDirectoryW(widen(folder).c_str());
    }

    // Makes a file with the attributes and appends its row as the scan does.
    int addFileRow(const std::string& name, DWORD attributes) {
        const std::string path = folder + "\\" + name;
        made.push_back(path);
        {
            HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            EXPECT_NE(h, INVALID_HANDLE_VALUE);
            DWORD written = 0;
            WriteFile(h, "MZ", 2, &written, nullptr);
            CloseHandle(h);
        }
        EXPECT_TRUE(SetFileAttributesW(widen(path).c_str(), attributes));
        auto& g = grid();
        g.setRows(g.rows() + 1);
        const int r = g.rows() - 1;
        g.setTextMatrix(r, 2, "Risky");
        g.setTextMatrix(r, 3, "Ignore");
        g.setTextMatrix(r, 4, "Delete");
        g.setTextMatrix(r, 5, path);
        g.setTextMatrix(r, 1, path);
        return r;
    }
    rt::Grid& grid() { return core::frm0().grid("MsfInfectd"); }
    std::string cell(int row, int col) { return grid().textMatrix(row, col); }

    std::string folder;
    std::vector<std::string> made;
    std::unique_ptr<Win32System> real = makeWin32System();
    rt::HeadlessUi ui;
    rt::ManualClock clock;
    rt::AppScope scope{ui, clock, real->services};
};

TEST_F(ResultsOnTheSystem, DeleteRemovesAHiddenReadOnlyFile) {
    const int r = addFileRow("hidden.exe", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    grid().clickCell(r, 4);
    core::frm0().c("cmdDel").click();
    EXPECT_FALSE(exists(made[0]));
    EXPECT_EQ(cell(r, 4), "[Deleted]");
    EXPECT_EQ(core::frm0().c("lblCncMsg").caption(), "Deleted");
}

TEST_F(ResultsOnTheSystem, DeleteAllLeavesHiddenFilesInPlace) {
    const int hidden = addFileRow("hidden.exe", FILE_ATTRIBUTE_HIDDEN);
    const int system = addFileRow("system.com", FILE_ATTRIBUTE_SYSTEM);
    const int visible = addFileRow("visible.exe", FILE_ATTRIBUTE_READONLY);
    const int closingsBefore = static_cast<int>(watch::frm1().c("txtUnldAlrt").text().size());
    core::frm0().c("cmdDeltAll").click();
    EXPECT_TRUE(exists(made[0]));
    EXPECT_EQ(GetFileAttributesW(widen(made[0]).c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(exists(made[1]));
    EXPECT_FALSE(exists(made[2]));
    EXPECT_EQ(cell(hidden, 3) + "|" + cell(hidden, 4), "|");
    EXPECT_EQ(cell(system, 3) + "|" + cell(system, 4), "|");
    EXPECT_EQ(cell(visible, 3) + "|" + cell(visible, 4), "|[Deleted]");
    EXPECT_NE(static_cast<int>(watch::frm1().c("txtUnldAlrt").text().size()), closingsBefore)
        << "no open row is left, so the alerts close";
}

TEST_F(ResultsOnTheSystem, RefusedDeleteIsReportedAndTheRowStaysOpen) {
    const int r = addFileRow("busy.exe", FILE_ATTRIBUTE_NORMAL);
    HANDLE held = CreateFileW(widen(made[0]).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ui.answers = {rt::Yes, rt::Abort};
    grid().clickCell(r, 4);
    core::frm0().c("cmdDel").click();
    CloseHandle(held);
    EXPECT_TRUE(exists(made[0]));
    ASSERT_GE(ui.dialogs.size(), 2u);
    EXPECT_EQ(ui.dialogs.back().title, "An Error Occured");
    EXPECT_FALSE(ui.dialogs.back().prompt.empty());
    EXPECT_EQ(cell(r, 4), "Delete");

    core::frm0().c("cmdDeltAll").click();
    EXPECT_FALSE(exists(made[0])) << "once the file is free, Delete All takes it";
    EXPECT_EQ(cell(r, 4), "[Deleted]");
}

}  // namespace
}  // namespace tavlo::platform::win32
