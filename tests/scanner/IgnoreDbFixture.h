// The ignore database for tests: a real "pro.dat" (SQLite3 driver) with an
// empty table ign in a fresh host folder, shown to the fake file system as
// "C:\WINDOWS\system32\pro.dat", filled and read back through the store.
// The folder must outlive the program (HeadlessApp), whose connection to the
// database closes with it.
#pragma once

#include <string>
#include <vector>

#include "core/Store.h"
#include "core/StoreFixture.h"
#include "core/StoreSetup.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::testsupport {

class IgnoreDb {
public:
    IgnoreDb(platform::fake::HeadlessApp& h, const testing::TempFolder& folder) : folder_(folder) {
        testing::useOwnDriverList();
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = testing::kDriver;
        h.sys.env.folders[testing::kSystemFolder] = folder.host();
        core::MakeIgnoreDatabase(testing::kDriver, folder.hostFile("pro.dat"));
        h.sys.files.addFile(std::string(testing::kSystemFolder) + "\\pro.dat", 4096);
    }
    void add(const std::string& path) {
        core::EnsureIgnoreDb();
        core::IgnoreListAdd(path);
    }
    std::vector<std::string> paths() {
        core::EnsureIgnoreDb();
        std::vector<std::string> all;
        for (auto& row : core::IgnoreListRows()) all.push_back(row.pat);
        return all;
    }
    // Takes the table away under the program's open connection: every later
    // query of the program fails.
    void breakTable() {
        platform::odbc::Connection db;
        db.open(std::string("DRIVER={") + testing::kDriver + "};Database=" + folder_.hostFile("pro.dat") + ";");
        db.execute("DROP TABLE [ign]");
    }

private:
    const testing::TempFolder& folder_;
};

}  // namespace tavlo::testsupport
