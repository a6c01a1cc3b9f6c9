// The file services against the real file system (under Wine: the prefix's C:
// drive), in a fresh folder under the system's temporary folder.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <vector>
#include <string>

#include "platform/UniqueHandle.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/WideText.h"
#include "WineHost.h"

namespace tavlo::platform::win32 {
namespace {

using Entries = std::map<std::string, DirEntry>;

template <BOOL(WINAPI* Close)(HANDLE)>
struct HandleTraits {
    using type = HANDLE;
    static type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(type h) { Close(h); }
};
using UniqueFile = UniqueHandle<HandleTraits<CloseHandle>>;
using UniqueFind = UniqueHandle<HandleTraits<FindClose>>;

using wine_host::hostPath;

// Starts a host program (Wine runs those too) and waits, a few seconds at
// most, until `done` holds: the handle of a host program does not wait for its end.
template <class Done>
bool runOnHost(const std::string& commandLine, Done done) {
    std::wstring command = widen(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    UniqueFile thread(pi.hThread), process(pi.hProcess);
    for (int i = 0; i < 200 && !done(); ++i) Sleep(25);
    return done();
}

// A folder tree of its own for each test, removed with everything in it.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
        root_ = narrow(temp) + "tavlo-files-" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        removeTree(extendedPath(root_));
        ASSERT_TRUE(CreateDirectoryW(extendedPath(root_).c_str(), nullptr));
    }
    void TearDown() override {
        // Wine sees no dangling link and removes a link's target instead of
        // the link: a host link goes on the host side.
        const std::string host = hostPath(extendedPath(root_));
        if (madeHostLink_ && host.find("/tavlo-files-") != std::string::npos) {
            runOnHost("Z:\\bin\\rm -rf \"" + host + "\"", [&] { return !onDisk(""); });
        }
        removeTree(extendedPath(root_));
    }

    std::string path(const std::string& relative) const { return root_ + "\\" + relative; }

    void makeFile(const std::string& relative, std::uint64_t size = 0, DWORD attributes = 0) {
        const std::wstring p = extendedPath(path(relative));
        {
            UniqueFile f(CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(f) << relative << " error " << GetLastError();
            LARGE_INTEGER end;
            end.QuadPart = static_cast<LONGLONG>(size);
            ASSERT_TRUE(SetFilePointerEx(f.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(f.get())) << relative;
        }
        if (attributes) {
            ASSERT_TRUE(SetFileAttributesW(p.c_str(), attributes)) << relative;
        }
    }
    void makeFolder(const std::string& relative) {
        ASSERT_TRUE(CreateDirectoryW(extendedPath(path(relative)).c_str(), nullptr)) << relative;
    }
    bool onDisk(const std::string& relative) const {
        return GetFileAttributesW(extendedPath(path(relative)).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    Entries listed(const std::string& folder) {
        Entries byName;
        auto entries = files_.list(folder);
        EXPECT_TRUE(entries.has_value()) << folder;
        if (entries) {
            for (auto& e : *entries) byName[e.name] = e;
        }
        return byName;
    }

    static void removeTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = folder + L"\\" + name;
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                const DWORD a = data.dwFileAttributes;
                if ((a & FILE_ATTRIBUTE_DIRECTORY) && !(a & FILE_ATTRIBUTE_REPARSE_POINT)) {
                    removeTree(child);
                } else if (a & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(child.c_str());
                } else {
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(find.get(), &data));
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::string root_;
    bool madeHostLink_ = false;
    Win32FileSystem files_;
};

TEST_F(FileSystemTest, ListsEveryNameWithItsSizeAndAttributes) {
    makeFile("plain.exe", 1234);
    makeFile("hidden.exe", 5, FILE_ATTRIBUTE_HIDDEN);
    makeFile("system.com", 6, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    makeFile("Ω资料.exe", 7);
    makeFile("it's 100% free.exe", 8);
    makeFolder("sub");
    makeFile("sub\\inner.pif", 9);

    const Entries e = listed(root_);
    ASSERT_EQ(e.size(), 6u);  // no "." or "..", nothing from below
    EXPECT_EQ(e.at("plain.exe").size, 1234u);
    EXPECT_EQ(e.at("plain.exe").attributes & (AttrHidden | AttrSystem | AttrDirectory), 0u);
    EXPECT_EQ(e.at("hidden.exe").size, 5u);
    EXPECT_TRUE(e.at("hidden.exe").attributes & AttrHidden);
    EXPECT_EQ(e.at("system.com").attributes & (AttrHidden | AttrSystem), AttrHidden | AttrSystem);
    EXPECT_EQ(e.at("Ω资料.exe").size, 7u);
    EXPECT_EQ(e.at("it's 100% free.exe").size, 8u);
    EXPECT_TRUE(e.at("sub").isFolder());
    EXPECT_EQ(e.at("sub").size, 0u);
    EXPECT_FALSE(e.at("sub").isLink());
    EXPECT_EQ(listed(path("sub")).count("inner.pif"), 1u);
}

TEST_F(FileSystemTest, SizesBeyondFourGigabytesAreWhole) {
    const std::uint64_t big = (5ull << 30) + 3;  // sparse on the host
    makeFile("big.exe", big);
    EXPECT_EQ(listed(root_).at("big.exe").size, big);
}

TEST_F(FileSystemTest, FolderThatCannotBeReadListsAsNothing) {
    makeFile("file.exe");
    makeFolder("empty");
    EXPECT_FALSE(files_.list(path("missing")).has_value());
    EXPECT_FALSE(files_.list(path("file.exe")).has_value());
    EXPECT_FALSE(files_.list("Q:\\").has_value());  // no such drive
    ASSERT_TRUE(files_.list(path("empty")).has_value());
    EXPECT_TRUE(files_.list(path("empty"))->empty());
}

TEST_F(FileSystemTest, PathsBeyond260CharactersWork) {
    const std::string segment(60, 'd');
    std::string deep;
    for (int i = 0; i < 5; ++i) {
        deep += (i ? "\\" : "") + segment + std::to_string(i);
        makeFolder(deep);
    }
    makeFile(deep + "\\far.exe", 42);
    const std::string farFile = path(deep + "\\far.exe");
    ASSERT_GT(farFile.size(), 300u);

    EXPECT_EQ(listed(path(deep)).at("far.exe").size, 42u);
    EXPECT_TRUE(files_.existsFolder(path(deep)));
    EXPECT_TRUE(files_.existsNormal(farFile));
    EXPECT_TRUE(files_.remove(farFile));
    EXPECT_FALSE(onDisk(deep + "\\far.exe"));
}

TEST_F(FileSystemTest, NormalSearchMissesHiddenSystemFoldersAndMissingFiles) {
    makeFile("plain.exe");
    makeFile("readonly.exe", 0, FILE_ATTRIBUTE_READONLY);
    makeFile("hidden.exe", 0, FILE_ATTRIBUTE_HIDDEN);
    makeFile("system.exe", 0, FILE_ATTRIBUTE_SYSTEM);
    makeFile("Ω资料.exe");
    makeFile("it's 100% free.exe");
    makeFolder("sub");

    EXPECT_TRUE(files_.existsNormal(path("plain.exe")));
    EXPECT_TRUE(files_.existsNormal(path("readonly.exe")));
    EXPECT_TRUE(files_.existsNormal(path("Ω资料.exe")));
    EXPECT_TRUE(files_.existsNormal(path("it's 100% free.exe")));
    EXPECT_FALSE(files_.existsNormal(path("hidden.exe")));
    EXPECT_FALSE(files_.existsNormal(path("system.exe")));
    EXPECT_FALSE(files_.existsNormal(path("sub")));
    EXPECT_FALSE(files_.existsNormal(path("missing.exe")));
    EXPECT_TRUE(files_.existsFolder(path("sub")));
    EXPECT_FALSE(files_.existsFolder(path("plain.exe")));
    EXPECT_FALSE(files_.existsFolder(path("missing")));
}

TEST_F(FileSystemTest, HiddenReadOnlyFileIsDeletedAfterItsAttributesAreReset) {
    makeFile("guard.exe", 10, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files_.remove(path("guard.exe")));  // read-only refuses
    EXPECT_FALSE(files_.lastError().empty());
    EXPECT_TRUE(onDisk("guard.exe"));

    EXPECT_TRUE(files_.resetAttributes(path("guard.exe")));
    EXPECT_TRUE(files_.existsNormal(path("guard.exe")));
    EXPECT_TRUE(files_.remove(path("guard.exe")));
    EXPECT_FALSE(onDisk("guard.exe"));
    EXPECT_EQ(listed(root_).count("guard.exe"), 0u);
}

TEST_F(FileSystemTest, RefusedCallsSayWhy) {
    EXPECT_FALSE(files_.remove(path("missing.exe")));
    const std::string missing = files_.lastError();
    EXPECT_FALSE(missing.empty());
    EXPECT_EQ(missing.find_first_of("\r\n"), std::string::npos);
    EXPECT_FALSE(files_.resetAttributes(path("nowhere\\missing.exe")));
    EXPECT_FALSE(files_.lastError().empty());
    EXPECT_NE(files_.lastError(), missing);  // a missing folder reads differently from a missing file
}

// Names that the ordinary path form would bend: each is listed as it is and
// the path built from the listed name deletes that very file.
TEST_F(FileSystemTest, NamesTheOrdinaryFormBendsAreDeletedAsListed) {
    const std::vector<std::string> odd{"trail.", "trail ", "aux.exe", "con", "Ω资料.exe", "it's 100% free.exe"};
    for (auto& name : odd) makeFile(name, 3);
    makeFile("trail", 1);  // what "trail." and "trail " would turn into

    const Entries e = listed(root_);
    for (auto& name : odd) {
        ASSERT_EQ(e.count(name), 1u) << "[" << name << "]";
        EXPECT_TRUE(files_.remove(path(e.at(name).name))) << "[" << name << "] " << files_.lastError();
    }
    const Entries left = listed(root_);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.begin()->first, "trail");
}

// Wine has no links of its own (CreateSymbolicLinkW reports success and makes
// nothing); a host symbolic link to a folder lists as a folder with the
// reparse-point attribute, which is what keeps a walk from following it.
TEST_F(FileSystemTest, LinkToAFolderCarriesTheReparsePointAttribute) {
    makeFolder("target");
    makeFile("target\\inside.exe");
    const std::string hostRoot = hostPath(extendedPath(root_));
    if (!hostRoot.empty()) {
        madeHostLink_ = true;
        runOnHost("Z:\\bin\\ln -s \"" + hostRoot + "/target\" \"" + hostRoot + "/link\"", [&] { return onDisk("link"); });
    } else if (!CreateSymbolicLinkW(extendedPath(path("link")).c_str(), extendedPath(path("target")).c_str(),
                                    SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* unprivileged */)) {
        GTEST_SKIP() << "no right to make symbolic links here";
    }
    ASSERT_TRUE(onDisk("link"));
    const DirEntry link = listed(root_).at("link");
    EXPECT_TRUE(link.isFolder());
    EXPECT_TRUE(link.isLink());
    EXPECT_FALSE(listed(root_).at("target").isLink());
}

// A drive letter given to a host folder through Wine's mount manager, taken
// back at the end. It is a fixed drive, so that removable-drive watches of
// test programs running alongside do not see it.
class HostDrive {
public:
    HostDrive(char letter, const std::string& hostFolder) : letter_(letter) { plugged_ = define(3, hostFolder); }
    ~HostDrive() {
        if (plugged_) define(1, {});
    }
    HostDrive(const HostDrive&) = delete;
    HostDrive& operator=(const HostDrive&) = delete;
    bool plugged() const { return plugged_; }

private:
    bool define(ULONG type, const std::string& hostFolder) {
        std::vector<unsigned char> input(32 + (hostFolder.empty() ? 0 : hostFolder.size() + 1), 0);
        const auto put = [&](std::size_t at, auto value) { std::memcpy(input.data() + at, &value, sizeof value); };
        put(0, static_cast<ULONG>(input.size()));
        put(4, type);
        put(24, static_cast<WCHAR>(std::tolower(letter_)));
        put(26, static_cast<USHORT>(hostFolder.empty() ? 0 : 32));  // where the host path starts
        std::memcpy(input.data() + 32, hostFolder.c_str(), hostFolder.empty() ? 0 : hostFolder.size() + 1);
        UniqueFile manager(CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!manager) return false;
        constexpr DWORD defineUnixDrive = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
        DWORD got = 0;
        return DeviceIoControl(manager.get(), defineUnixDrive, input.data(), static_cast<DWORD>(input.size()),
                               nullptr, 0, &got, nullptr) != FALSE;
    }
    char letter_;
    bool plugged_ = false;
};


// The root of an empty drive (a freshly formatted stick) has not even "." and
// ".." to list; the search answers "file not found" there, which is still a
// readable, empty folder.
TEST_F(FileSystemTest, EmptyDriveRootListsAsEmpty) {
    makeFolder("drive");
    const std::string host = hostPath(extendedPath(path("drive")));
    if (host.empty()) GTEST_SKIP() << "needs Wine's mount manager";
    const auto present = files_.drives();
    char letter = 0;
    const DWORD start = GetCurrentProcessId();  // apart from test programs running alongside
    for (DWORD i = 0; i < 10 && !letter; ++i) {
        const char c = static_cast<char>('p' + (start + i) % 10);  // p: to y:
        if (std::find(present.begin(), present.end(), std::string(1, c) + ":") == present.end()) letter = c;
    }
    ASSERT_TRUE(letter);
    const std::string root = std::string(1, static_cast<char>(std::toupper(letter))) + ":";
    {
        HostDrive drive(letter, host);
        ASSERT_TRUE(drive.plugged());
        EXPECT_EQ(files_.driveType(root), DriveType::Fixed);
        EXPECT_TRUE(files_.existsFolder(root + "\\"));
        for (const std::string& form : {root, root + "\\"}) {
            auto entries = files_.list(form);
            ASSERT_TRUE(entries.has_value()) << form;
            EXPECT_TRUE(entries->empty()) << form;
        }
    }
    EXPECT_EQ(files_.driveType(root), DriveType::NoRootDir);
    EXPECT_FALSE(files_.list(root + "\\").has_value());
}

TEST(ExtendedPath, ResolvesDotsAndSlashesButKeepsNames) {
    EXPECT_EQ(extendedPath("E:/a/./b/../c"), L"\\\\?\\E:\\a\\c");
    EXPECT_EQ(extendedPath("E:"), L"\\\\?\\E:\\");
    EXPECT_EQ(extendedPath("E:\\"), L"\\\\?\\E:\\");
    EXPECT_EQ(extendedPath("E:\\..\\x"), L"\\\\?\\E:\\x");
    EXPECT_EQ(extendedPath("E:\\dir\\trail. "), L"\\\\?\\E:\\dir\\trail. ");
    EXPECT_EQ(extendedPath("\\\\server\\share\\..\\..\\a"), L"\\\\?\\UNC\\server\\share\\a");
    EXPECT_EQ(extendedPath("\\\\?\\E:\\x\\..\\y"), L"\\\\?\\E:\\x\\..\\y");
    EXPECT_EQ(extendedPath("E:\\Ω资料.exe"), L"\\\\?\\E:\\\u03A9\u8D44\u6599.exe");
}

TEST(ExtendedPath, RelativePathsStartAtTheCurrentFolder) {
    Win32FileSystem files;
    const std::wstring current = extendedPath(files.currentFolder());
    EXPECT_EQ(extendedPath("x.exe"), current + (current.back() == L'\\' ? L"" : L"\\") + L"x.exe");
}

TEST(SystemFolders, HaveNoTrailingSeparatorAndExist) {
    Win32FileSystem files;
    for (const std::string& folder : {files.systemFolder(), files.programFolder()}) {
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.back(), '\\') << folder;
        EXPECT_TRUE(files.existsFolder(folder)) << folder;
    }
    EXPECT_TRUE(files.existsFolder(files.currentFolder()));
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(narrow(module).rfind(files.programFolder() + "\\", 0), 0u);
}

TEST(Drives, AreLowerCaseLettersWithAColonAndKnowTheirType) {
    Win32FileSystem files;
    const auto drives = files.drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_NE(std::find(drives.begin(), drives.end(), "c:"), drives.end());
    for (auto& d : drives) {
        ASSERT_EQ(d.size(), 2u);
        EXPECT_TRUE(d[0] >= 'a' && d[0] <= 'z' && d[1] == ':') << d;
    }
    EXPECT_EQ(files.driveType("C:"), DriveType::Fixed);
    EXPECT_EQ(files.driveType("c:\\"), DriveType::Fixed);
    char unused = 0;
    for (char c = 'z'; c >= 'd' && !unused; --c) {
        if (std::find(drives.begin(), drives.end(), std::string(1, c) + ":") == drives.end()) unused = c;
    }
    ASSERT_TRUE(unused);
    EXPECT_EQ(files.driveType(std::string(1, unused) + ":"), DriveType::NoRootDir);
}

}  // namespace
}  // namespace tavlo::platform::win32
