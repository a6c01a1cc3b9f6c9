// The fake file system behind the hostile-stick cases: a pulled stick's
// files are gone for every file service (not only for folder listings), so
// that no case can delete a file of a stick that is no longer there; plugged
// in again, the stick has its files again.
#include <gtest/gtest.h>

#include "platform/fake/FakeServices.h"

namespace tavlo::platform::fake {
namespace {

TEST(PulledDrive, FilesOfAPulledStickAreGoneForEveryFileServiceUntilItIsBack) {
    FakeFileSystem files;
    files.setDrive('E', DriveType::Removable);
    files.addFile("E:\\dir\\x.exe", 10);
    files.removeDrive('E');
    EXPECT_FALSE(files.list("E:\\dir"));
    EXPECT_FALSE(files.existsNormal("E:\\dir\\x.exe"));
    EXPECT_FALSE(files.existsFolder("E:\\dir"));
    EXPECT_FALSE(files.resetAttributes("E:\\dir\\x.exe"));
    EXPECT_FALSE(files.remove("E:\\dir\\x.exe"));
    files.setDrive('E', DriveType::Removable);
    EXPECT_TRUE(files.existsNormal("E:\\dir\\x.exe"));
    EXPECT_TRUE(files.existsFolder("E:\\dir"));
    EXPECT_EQ(files.list("E:\\dir")->size(), 1u);
}

TEST(PulledDrive, TheSystemDriveIsAlwaysThere) {
    FakeFileSystem files;
    files.addFile("C:\\WINDOWS\\system32\\pso.dat", 10);
    EXPECT_TRUE(files.existsNormal("C:\\WINDOWS\\system32\\pso.dat"));
    EXPECT_TRUE(files.remove("C:\\WINDOWS\\system32\\pso.dat"));
}

}  // namespace
}  // namespace tavlo::platform::fake
