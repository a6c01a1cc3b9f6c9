// The ignore database for tests: "pro.dat" in the fake system folder with an
// empty table ign, filled and read back through the store.
#pragma once

#include <string>
#include <vector>

#include "core/Store.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::testsupport {

class IgnoreDb {
public:
    explicit IgnoreDb(platform::fake::HeadlessApp& h) : h_(h) {
        h_.sys.files.addFile(h_.sys.files.systemFolder() + "\\pro.dat", 4096);
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

private:
    platform::fake::HeadlessApp& h_;
};

}  // namespace tavlo::testsupport
