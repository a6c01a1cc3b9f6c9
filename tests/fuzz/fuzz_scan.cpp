// A stick of any shape (folders, files of any name and size, junctions,
// unreadable folders), scanned by the scan driver as the drive poll starts it.
// The rows, the file count and the messages must match a walk of the same
// tree rated by the rules written out below; nothing is deleted.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "fuzz/FuzzCheck.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return s;
}

const char* rating(const std::string& name, std::uint64_t size) {
    static const std::set<std::pair<std::string, std::uint64_t>> known{
        {"exe", 352256}, {"exe", 240128}, {"exe", 98304}, {"exe", 431295}, {"exe", 1512065}, {"exe", 817258},
        {"exe", 616609}, {"exe", 557056}, {"com", 114365}, {"exe", 45509}, {"exe", 111}, {"pif", 171519}};
    const std::string n = lower(name);
    const std::string ext = n.rfind('.') == std::string::npos ? "" : n.substr(n.rfind('.') + 1);
    if (known.count({ext, size}) || n == "autorun.inf") return "Very Risky";
    return ext == "exe" || ext == "pif" || ext == "com" ? "Risky" : nullptr;
}

struct Node { std::string path, name; std::uint64_t size; int kind; };  // kind: 0 folder, 1 file, 2 junction
std::map<std::string, std::vector<Node>> tree;  // by lower-cased parent
std::set<std::string> taken, unreadable;
std::multiset<std::string> rows;
int examined = 0, errors = 0;

void walk(const std::string& folder) {
    for (const Node& n : tree[lower(folder)]) {
        if (n.kind == 1 && n.size <= 1590000 && ++examined && rating(n.name, n.size))
            rows.insert(std::string(rating(n.name, n.size)) + " " + n.path);
    }
    for (const Node& n : tree[lower(folder)]) {
        if (n.kind == 0) unreadable.count(lower(n.path)) ? void(++errors) : walk(n.path);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    platform::fake::HeadlessApp h;
    h.sys.files.setDrive('E', platform::DriveType::Removable);
    tree.clear(), taken.clear(), unreadable.clear(), rows.clear(), examined = errors = 0;
    std::vector<std::string> folders{"E:\\"};
    constexpr std::uint64_t kSizes[] = {0, 111, 98304, 114365, 171519, 1590000, 1590001, 4000000000ull};
    for (int step = 0; step < 300 && input.remaining_bytes() > 0; ++step) {
        const int kind = input.ConsumeIntegralInRange(0, 3);
        const std::string parent = folders[input.ConsumeIntegralInRange<std::size_t>(0, folders.size() - 1)];
        if (kind == 3) {
            if (parent != "E:\\") h.sys.files.setUnreadable(parent), unreadable.insert(lower(parent));
            continue;
        }
        std::string name = input.ConsumeRandomLengthString(24);
        for (char& c : name) c = c == '\\' || c == '/' || c == '\0' ? '_' : c;
        const std::string path = (parent == "E:\\" ? parent : parent + "\\") + name;
        if (name.empty() || name == "." || name == ".." || !taken.insert(lower(path)).second) continue;
        Node node{path, name, 0, kind};
        if (kind == 0) h.sys.files.addFolder(path), folders.push_back(path);
        if (kind == 1) node.size = input.ConsumeBool() ? kSizes[input.ConsumeIntegralInRange(0, 7)] : input.ConsumeIntegral<std::uint32_t>();
        if (kind == 1) h.sys.files.addFile(path, node.size);
        if (kind == 2) h.sys.files.addLink(path, folders[input.ConsumeIntegralInRange<std::size_t>(0, folders.size() - 1)]);
        tree[lower(parent)].push_back(node);
    }
    walk("E:\\");
    core::globals().DriveAttached[core::Globals::letterIndex('E')] = rt::True;
    auto& w = core::frm0();
    w.c("txtNo1").append(".");
    auto& grid = w.grid("MsfInfectd");
    std::multiset<std::string> shown;
    for (int r = 1; r < grid.rows(); ++r) {
        FUZZ_CHECK(grid.textMatrix(r, 1) == grid.textMatrix(r, 5), "row %d: columns 1 and 5 differ", r);
        shown.insert(grid.textMatrix(r, 2) + " " + grid.textMatrix(r, 1));
    }
    FUZZ_CHECK(shown == rows, "%zu rows, %zu expected", shown.size(), rows.size());
    FUZZ_CHECK(w.c("lblCount").caption() == (examined ? std::to_string(examined) : ""), "count, %d expected", examined);
    FUZZ_CHECK(h.ui.prompts() == std::vector<std::string>(errors, "Scanning Error... "), "%d errors expected", errors);
    FUZZ_CHECK(w.c("lblCncMsg").caption() == "Risky Objects found: " + std::to_string(rows.size()), "status");
    for (const auto& call : h.sys.files.calls) FUZZ_CHECK(call.rfind("remove ", 0) != 0, "%s", call.c_str());
    return 0;
}
