// A stick of any shape, scanned by the scan driver as the drive poll starts
// it: folders, files of any name and size, junctions to any folder and
// unreadable folders, built from the input in the fake file system. No crash
// and no hang; the walk examines every file of the folders it can read
// (through no junction) exactly once, shows exactly the risky ones with their
// rating, reports each unreadable folder it meets with one message, ends
// with the total on the status line, and deletes nothing.
// Input: a list of steps (add a folder, a file, a junction, make a folder
// unreadable), each with its parent, name and size, by FuzzedDataProvider.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "fuzz/FuzzCheck.h"
#include "platform/fake/HeadlessApp.h"
#include "scanner/ScanEngine.h"

using namespace tavlo;
using fuzz::shown;

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// What the input built, as the walk should see it.
struct Node {
    std::string path;
    bool folder = false, link = false, unreadable = false;
    std::uint64_t size = 0;
};

struct Stick {
    std::map<std::string, Node> nodes;  // by lower-cased path, as the fake keys them
    std::vector<std::string> folders{"E:\\"};

    std::vector<const Node*> children(const std::string& folder) const {
        const std::string prefix = lower(folder.back() == '\\' ? folder : folder + "\\");
        std::vector<const Node*> out;
        for (const auto& [key, node] : nodes) {
            if (key.size() > prefix.size() && key.compare(0, prefix.size(), prefix) == 0 &&
                key.find('\\', prefix.size()) == std::string::npos)
                out.push_back(&node);
        }
        return out;
    }
};

std::string safeName(std::string name) {
    for (char& c : name)
        if (c == '\\' || c == '/' || c == '\0') c = '_';
    return name == "." || name == ".." ? std::string{} : name;
}

constexpr std::uint64_t kSizes[] = {0, 111, 98304, 114365, 171519, 1590000, 1590001, 4000000000ull};

void build(FuzzedDataProvider& input, platform::fake::FakeFileSystem& files, Stick& stick) {
    for (int step = 0; step < 300 && input.remaining_bytes() > 0; ++step) {
        const int kind = input.ConsumeIntegralInRange(0, 3);
        const std::string parent = stick.folders[input.ConsumeIntegralInRange<std::size_t>(0, stick.folders.size() - 1)];
        if (kind == 3) {
            if (parent == "E:\\") continue;
            files.setUnreadable(parent);
            stick.nodes[lower(parent)].unreadable = true;
            continue;
        }
        const std::string name = safeName(input.ConsumeRandomLengthString(24));
        if (name.empty()) continue;
        const std::string path = (parent == "E:\\" ? parent : parent + "\\") + name;
        if (stick.nodes.count(lower(path))) continue;  // the same name in another letter case
        Node node{path};
        if (kind == 0) {
            node.folder = true;
            files.addFolder(path);
            stick.folders.push_back(path);
        } else if (kind == 1) {
            node.size = input.ConsumeBool() ? kSizes[input.ConsumeIntegralInRange<std::size_t>(0, 7)]
                                            : input.ConsumeIntegral<std::uint32_t>();
            files.addFile(path, node.size);
        } else {
            node.folder = node.link = true;
            const std::string target =
                stick.folders[input.ConsumeIntegralInRange<std::size_t>(0, stick.folders.size() - 1)];
            files.addLink(path, target);
        }
        stick.nodes[lower(path)] = node;
    }
}

struct Expected {
    std::multiset<std::string> rows;  // "rating path"
    int examined = 0;
    int unreadable = 0;
};

void walk(const Stick& stick, const std::string& folder, Expected& e) {
    std::vector<const Node*> subfolders;
    for (const Node* n : stick.children(folder)) {
        if (n->folder) {
            if (!n->link) subfolders.push_back(n);
            continue;
        }
        if (n->size > scanner::kLargestExaminedFile) continue;
        const std::string name = scanner::GetFileName(n->path);
        const std::string rating = scanner::RiskyLevel(name, scanner::GetExtensionName(name), n->size);
        if (!rating.empty()) e.rows.insert(rating + " " + n->path);
        ++e.examined;
    }
    for (const Node* sub : subfolders) {
        if (sub->unreadable) {
            ++e.unreadable;
            continue;
        }
        walk(stick, sub->path, e);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    platform::fake::HeadlessApp h;
    h.sys.files.setDrive('C', platform::DriveType::Fixed);
    h.sys.files.setDrive('E', platform::DriveType::Removable);
    Stick stick;
    build(input, h.sys.files, stick);
    Expected expected;
    walk(stick, "E:\\", expected);

    auto& g = core::globals();
    g.DriveAttached[core::Globals::letterIndex('E')] = rt::True;
    auto& w = core::frm0();
    w.show();
    w.c("txtNo1").append(".");

    auto& grid = w.grid("MsfInfectd");
    std::multiset<std::string> rows;
    for (int r = 1; r < grid.rows(); ++r) {
        FUZZ_CHECK(grid.textMatrix(r, 1) == grid.textMatrix(r, 5), "row %d columns 1 and 5 differ", r);
        FUZZ_CHECK(h.sys.files.exists(grid.textMatrix(r, 1)), "row %s names no file",
                   shown(grid.textMatrix(r, 1)).c_str());
        rows.insert(grid.textMatrix(r, 2) + " " + grid.textMatrix(r, 1));
    }
    FUZZ_CHECK(rows == expected.rows, "%zu rows, %zu expected", rows.size(), expected.rows.size());
    const std::string count = w.c("lblCount").caption();
    FUZZ_CHECK(count == (expected.examined ? std::to_string(expected.examined) : ""), "examined %s, not %d",
               count.c_str(), expected.examined);
    FUZZ_CHECK(h.ui.dialogs.size() == static_cast<std::size_t>(expected.unreadable), "%zu messages, %d unreadable",
               h.ui.dialogs.size(), expected.unreadable);
    for (const auto& d : h.ui.dialogs)
        FUZZ_CHECK(d.prompt == "Scanning Error... ", "message %s", shown(d.prompt).c_str());
    FUZZ_CHECK(!g.ScanInProgress && g.DriveScanned[core::Globals::letterIndex('E')], "the scan did not end");
    FUZZ_CHECK(w.c("lblCncMsg").caption() == "Risky Objects found: " + std::to_string(rows.size()), "status %s",
               shown(w.c("lblCncMsg").caption()).c_str());
    for (const auto& call : h.sys.files.calls)
        FUZZ_CHECK(call.rfind("remove ", 0) != 0 && call.rfind("resetAttributes ", 0) != 0, "%s", call.c_str());
    return 0;
}
