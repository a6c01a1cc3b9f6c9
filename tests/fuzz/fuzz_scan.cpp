// A stick of any shape, scanned as the drive poll starts it, against a walk by the rules written out below.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <set>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "fuzz/FuzzCheck.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;

static std::string lower(std::string s) {
    for (char& c : s) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
    return s;
}

static const char* rating(const std::string& name, std::uint64_t size) {
    static const std::set<std::pair<std::string, std::uint64_t>> known{
        {"exe", 352256}, {"exe", 240128}, {"exe", 98304}, {"exe", 431295}, {"exe", 1512065}, {"exe", 817258},
        {"exe", 616609}, {"exe", 557056}, {"com", 114365}, {"exe", 45509}, {"exe", 111}, {"pif", 171519}};
    const std::string n = lower(name), ext = n.find('.') == std::string::npos ? "" : n.substr(n.rfind('.') + 1);
    if (known.count({ext, size}) || n == "autorun.inf") return "Very Risky";
    return ext == "exe" || ext == "pif" || ext == "com" ? "Risky" : nullptr;
}

struct Node { std::string path, name; std::uint64_t size; int kind; };  // kind: 0 folder, 1 file, 2 junction
static std::map<std::string, std::vector<Node>> tree;                 // by lower-cased parent
static std::set<std::string> unreadable;
static std::multiset<std::string> rows;  // "rating path|path"
static int examined, errors;

static void walk(const std::string& folder) {
    for (const Node& n : tree[lower(folder)])
        if (n.kind == 1 && n.size <= 1590000 && ++examined && rating(n.name, n.size))
            rows.insert(std::string(rating(n.name, n.size)) + " " + n.path + "|" + n.path);
    for (const Node& n : tree[lower(folder)])
        if (n.kind == 0) unreadable.count(lower(n.path)) ? void(++errors) : walk(n.path);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    platform::fake::HeadlessApp h;
    auto& files = h.sys.files;
    files.setDrive('E', platform::DriveType::Removable);
    tree.clear(), unreadable.clear(), rows.clear(), examined = errors = 0;
    std::vector<std::string> folders{"E:\\"};
    constexpr std::uint64_t kSizes[] = {0, 111, 98304, 114365, 171519, 1590000, 1590001, 4000000000ull};
    auto pick = [&](std::size_t n) { return in.ConsumeIntegralInRange<std::size_t>(0, n - 1); };
    for (int step = 0; step < 300 && in.remaining_bytes() > 0; ++step) {
        const int kind = in.ConsumeIntegralInRange(0, 3);
        const std::string parent = folders[pick(folders.size())];
        if (kind == 3 && parent != "E:\\") files.setUnreadable(parent), unreadable.insert(lower(parent));
        std::string name = kind == 3 ? "" : in.ConsumeRandomLengthString(24);
        for (char& c : name) c = c == '\\' || c == '/' || c == '\0' ? '_' : c;
        const std::string path = (parent == "E:\\" ? parent : parent + "\\") + name;
        if (name.empty() || name == "." || name == ".." || files.exists(path)) continue;
        Node node{path, name, 0, kind};
        if (kind == 0) files.addFolder(path), folders.push_back(path);
        if (kind == 1)
            files.addFile(path, node.size = in.ConsumeBool() ? kSizes[pick(8)] : in.ConsumeIntegral<unsigned>());
        if (kind == 2) files.addLink(path, folders[pick(folders.size())]);
        tree[lower(parent)].push_back(node);
    }
    walk("E:\\");
    core::globals().DriveAttached[core::Globals::letterIndex('E')] = rt::True;
    auto& w = core::frm0();
    w.c("txtNo1").append(".");  // the poll's trigger
    auto& grid = w.grid("MsfInfectd");
    std::multiset<std::string> shown;
    for (int r = 1; r < grid.rows(); ++r)
        shown.insert(grid.textMatrix(r, 2) + " " + grid.textMatrix(r, 1) + "|" + grid.textMatrix(r, 5));
    FUZZ_CHECK(shown == rows, "%zu rows, %zu expected", shown.size(), rows.size());
    FUZZ_CHECK(w.c("lblCount").caption() == (examined ? std::to_string(examined) : ""), "%d examined", examined);
    FUZZ_CHECK(h.ui.prompts() == std::vector<std::string>(errors, "Scanning Error... "), "%d errors expected", errors);
    FUZZ_CHECK(w.c("lblCncMsg").caption() == "Risky Objects found: " + std::to_string(rows.size()), "status");
    for (const auto& call : files.calls) FUZZ_CHECK(call.rfind("remove ", 0) != 0, "%s", call.c_str());
    return 0;
}
