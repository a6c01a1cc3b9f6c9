// A folder typed on the Scan page, completed by the real system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/win32/Win32FileSystem.h"

namespace tavlo::platform::win32 {
namespace {

TEST(scan_fullpath, TypedFolderIsCompletedAsTheSystemDoes) {
    wchar_t previous[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\windows"));
    Win32FileSystem files;
    const std::pair<const char*, const char*> cases[] = {
        {"sub", "C:\\windows\\sub"},
        {"C:sub", "C:\\windows\\sub"},
        {"C:/x/sub", "C:\\x\\sub"},
        {"C:\\x\\sub ", "C:\\x\\sub"},
        {"C:\\x\\sub. ", "C:\\x\\sub"},
        {"C:\\x\\sub\\", "C:\\x\\sub\\"},
        {"..\\windows\\.\\sub", "C:\\windows\\sub"},
        {"E:\\", "E:\\"},
        {"", ""},
    };
    for (auto [typed, full] : cases) EXPECT_EQ(files.fullPath(typed), full) << typed;
    SetCurrentDirectoryW(previous);
}

}  // namespace
}  // namespace tavlo::platform::win32
