// A folder typed on the Scan page, completed by the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/Win32FileSystem.h"
#include "scanner/ScanEngine.h"

namespace tavlo::platform::win32 {
namespace {

TEST(scan_fullpath, TypedFolderIsCompletedAsTheSystemDoesADriveLetterAloneBeingItsRoot) {
    wchar_t previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\windows"));
    Win32FileSystem files;
    const std::string deep = "C:\\" + std::string(300, 'd');
    const std::pair<std::string, std::string> cases[] = {
        {"sub", "C:\\windows\\sub"},
        {"C:sub", "C:\\windows\\sub"},
        {"C:/x/sub", "C:\\x\\sub"},
        {"C:\\x\\sub ", "C:\\x\\sub"},
        {"C:\\x\\sub. ", "C:\\x\\sub"},
        {"C:\\x\\sub\\", "C:\\x\\sub\\"},
        {"sub\\", "C:\\windows\\sub\\"},
        {"..\\windows\\.\\sub", "C:\\windows\\sub"},
        {"E:\\", "E:\\"},
        {"C:", "C:\\"},  // the system alone gives the current folder, "C:\windows\"
        {"C:  ", "C:\\"},
        {"e:", "e:\\"},
        {"\\\\server\\share\\x", "\\\\server\\share\\x"},
        {"//server/share/x/../../y ", "\\\\server\\share\\y"},
        {"\\\\server\\share\\x\\", "\\\\server\\share\\x\\"},
        {"\\\\?\\C:\\x\\.\\y\\", "\\\\?\\C:\\x\\y\\"},
        {"\\\\?\\C:\\x\\sub ", "\\\\?\\C:\\x\\sub"},
        {deep, deep},
        {deep + "\\..\\x", "C:\\x"},
        {"", ""},
    };
    for (const auto& [typed, full] : cases) {
        const std::string got = scanner::FolderToScan(files, typed);
        EXPECT_EQ(got, full) << typed;
    }
    SetCurrentDirectoryW(previous);
}

}  // namespace
}  // namespace tavlo::platform::win32
