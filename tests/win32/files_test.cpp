// The file services on the real file system (under Wine: the prefix's C:
// drive, and host folders given a drive letter).
#include <map>

#include "WineHost.h"

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
    while (std::find(drives.begin(), drives.end(), std::string{letter, ':'}) != drives.end()) letter = 'p' + (letter - 'o') % 10;
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

}  // namespace
}  // namespace tavlo::wine_host
