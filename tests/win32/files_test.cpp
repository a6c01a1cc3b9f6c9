// The file services on the real file system (under Wine: the prefix's C:
// drive and host folders given a drive letter), and the results grid's
// Delete and Delete All on real files with real attributes.
#include <map>

#include "WineHost.h"
#include "core/Frm0.h"
#include "runtime/Grid.h"

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

TEST_F(FilesTest, PathsBeyond260CharactersWork) {
    std::string deep = root.path;
    for (int i = 0; i < 5; ++i) makeFolder(deep += "\\" + std::string(60, 'd') + std::to_string(i));
    makeFile(deep + "\\far.exe", 42);
    ASSERT_GT(deep.size(), 300u);
    EXPECT_EQ(listed(deep)["far.exe"].size, 42u);
    EXPECT_TRUE(files.existsFolder(deep) && files.existsNormal(deep + "\\far.exe"));
    EXPECT_TRUE(files.remove(deep + "\\far.exe"));
    EXPECT_FALSE(onDisk(deep + "\\far.exe"));
}

// Wine makes no links of its own: a host link to a folder lists as a folder
// with the reparse-point attribute, which keeps a walk from following it.
// A freshly formatted stick's root has not even "." and "..": still a
// readable, empty folder. The letter is one of p: to y:, by process.
TEST_F(FilesTest, LinksCarryTheReparsePointAttributeAndAnEmptyDriveRootListsAsEmpty) {
    makeFolder(root / "target");
    ASSERT_TRUE(runOnHost("ln -s '" + hostPath(root / "target") + "' '" + hostPath(root.path) + "/link'"));
    auto e = listed(root.path);
    EXPECT_TRUE(e["link"].isFolder() && e["link"].isLink() && !e["target"].isLink());
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

// Rows appended as the scan appends them, over real files.
struct ResultsOnRealFiles : RealSystemTest {
    ResultsOnRealFiles() { core::frm0().show(); }
    rt::Grid& grid() { return core::frm0().grid("MsfInfectd"); }
    int addRow(const std::string& name, DWORD attributes) {
        makeFile(system / name, 2, attributes);
        grid().setRows(grid().rows() + 1);
        for (auto [col, text] : {std::pair{1, system / name}, {2, "Risky"}, {3, "Ignore"}, {4, "Delete"}, {5, system / name}})
            grid().setTextMatrix(grid().rows() - 1, col, text);
        return grid().rows() - 1;
    }
    std::string actions(int row) { return grid().textMatrix(row, 3) + "|" + grid().textMatrix(row, 4); }
};

TEST_F(ResultsOnRealFiles, DeleteTakesAHiddenFileAndDeleteAllWhatTheNormalSearchFinds) {
    const int guarded = addRow("guard.exe", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    addRow("hidden.exe", FILE_ATTRIBUTE_HIDDEN);
    addRow("system.com", FILE_ATTRIBUTE_SYSTEM);
    addRow("visible.exe", FILE_ATTRIBUTE_READONLY);
    const int busy = addRow("busy.exe", 0);
    HANDLE held = CreateFileW(extendedPath(system / "busy.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    program->ui.answers = {rt::Yes, rt::Yes, rt::Abort};
    grid().clickCell(guarded, 4);
    core::frm0().c("cmdDel").click();
    grid().clickCell(busy, 4);
    core::frm0().c("cmdDel").click();  // refused: reported, the row stays open
    CloseHandle(held);
    ASSERT_EQ(program->ui.dialogs.size(), 3u);
    EXPECT_EQ(program->ui.dialogs[2].title, "An Error Occured");
    EXPECT_EQ(actions(guarded) + actions(busy), "|[Deleted]" "Ignore|Delete");
    core::frm0().c("cmdDeltAll").click();
    std::string left;
    for (int r = guarded; r <= busy; ++r) left += std::to_string(onDisk(grid().textMatrix(r, 1))) + actions(r) + " ";
    EXPECT_EQ(left, "0|[Deleted] 1| 1| 0|[Deleted] 0|[Deleted] ");
    EXPECT_TRUE(GetFileAttributesW(extendedPath(system / "hidden.exe").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
}  // namespace tavlo::wine_host
