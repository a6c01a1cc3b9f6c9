#include <map>

#include "scanner/ScanEngine.h"
#include "scanner/ScannerFixture.h"

namespace tavlo::testsupport {
namespace {

struct ScanEngine : ScannerTest {
    void scan(const std::string& path) {
        g.ScanInProgress = rt::True;
        scanner::ScanFolder(path);
    }
};

constexpr const char* VR = "Very Risky";
constexpr const char* R = "Risky";

TEST_F(ScanEngine, RatesByNameExtensionAndExactSize) {
    const std::tuple<const char*, std::uint64_t, const char*> cases[] = {  // name, size, rating ("" gives no row)
        {"t01.exe", 352256, VR}, {"t02.exe", 240128, VR}, {"t03.exe", 98304, VR}, {"t04.exe", 431295, VR},
        {"t05.exe", 1512065, VR}, {"t06.exe", 817258, VR}, {"t07.exe", 616609, VR}, {"t08.exe", 557056, VR},
        {"t10.com", 114365, VR}, {"t11.exe", 45509, VR}, {"t12.exe", 111, VR}, {"t15.pif", 171519, VR},
        {"T16.EXE", 98304, VR}, {"t17.Com", 114365, VR}, {"t18.PIF", 171519, VR}, {"AUTORUN.INF", 10, VR},
        {"sub\\Autorun.Inf", 111, VR}, {"sub2\\autorun.inf", 1590000, VR}, {"p1.exe", 114365, R}, {"p2.com", 352256, R},
        {"p3.pif", 111, R}, {"p4.exe", 171519, R}, {"p5.exe", 352257, R}, {"p6.exe", 110, R}, {"SETUP.EXE", 1000, R},
        {"a.b.COM", 5, R}, {"x.Pif", 0, R}, {"autorun.inf.exe", 5, R}, {"big.exe", 1590000, R},
        {"huge.exe", 1590001, ""}, {"sub3\\autorun.inf", 1590001, ""}, {"readme.txt", 111, ""}, {"autorun.in", 5, ""},
        {"exe", 111, ""}, {"x.exe.txt", 111, ""}, {"trailing.", 111, ""}, {"a.exf", 5, ""}, {"b.cmo", 5, ""}};
    std::map<std::string, std::string> expected, found;
    int examined = 0;
    for (auto [name, size, rating] : cases) {
        h.sys.files.addFile(std::string("E:\\") + name, size);
        if (*rating) expected[std::string("E:\\") + name] = rating;
        examined += size <= 1590000;
    }
    scan("E:\\");
    for (int r = 1; r < grid().rows(); ++r) {
        found[cell(r, 1)] = cell(r, 2);
        EXPECT_EQ(cell(r, 3) + cell(r, 4) + cell(r, 5) + cell(r, 6), "IgnoreDelete" + cell(r, 1));
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(g.RiskyObjectCount * 1000 + std::stoi(c("lblCount").caption()), expected.size() * 1000 + examined);
    EXPECT_EQ(h.ui.doEventsCount, examined + 3) << "one yield per examined file and per subfolder";
    scan("E:\\sub");
    EXPECT_EQ(c("lblCount").caption(), std::to_string(examined + 1)) << "the count runs on across scans";
}

struct Stop {
    Texts files;
    int atYield;  // 0: before the scan
    bool abort;   // else ScanInProgress goes False
    Texts rows;
    std::string count, unvisited;
};

TEST_F(ScanEngine, StopsWhereAnAbortOrTheEndOfTheScanIsSeen) {
    const Stop cases[] = {
        {{"E:\\a.exe", "E:\\sub\\b.exe"}, 0, true, {"Scanning Aborted..."}, "", "E:\\sub"},
        {{"E:\\a\\b\\1.exe", "E:\\a\\b\\2.exe", "E:\\a\\c\\3.exe", "E:\\z\\4.exe"}, 1, true,
         {"E:\\a\\b\\1.exe", "Scanning Aborted..."}, "1", "E:\\z"},
        {{"E:\\a\\1.exe", "E:\\b\\c\\x.dat"}, 1, true, {"E:\\a\\1.exe"}, "1", "E:\\b"},
        {{"E:\\a.exe", "E:\\b.exe", "E:\\sub\\c.exe"}, 1, false, {"E:\\a.exe"}, "", "E:\\sub"},
    };
    for (const Stop& k : cases) {
        platform::fake::HeadlessApp fresh;
        core::Globals& gs = core::globals();
        fresh.sys.files.setDrive('E', DriveType::Removable);
        for (const auto& p : k.files) fresh.sys.files.addFile(p, 5);
        auto stop = [&] { (k.abort ? gs.AbortScanRequested : gs.ScanInProgress) = k.abort ? rt::True : rt::False; };
        gs.ScanInProgress = rt::True;
        if (k.atYield == 0) stop();
        int yields = 0;
        fresh.ui.onDoEvents = [&] {
            if (++yields == k.atYield) stop();
        };
        scanner::ScanFolder("E:\\");
        EXPECT_EQ(column(1), k.rows) << k.rows.back();
        EXPECT_EQ(column(5), k.rows);
        if (k.rows.back() == "Scanning Aborted...") EXPECT_EQ(actions(grid().rows() - 1), "||");
        EXPECT_EQ(c("lblCount").caption(), k.count) << k.rows.back();
        const auto& calls = fresh.sys.files.calls;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "list " + k.unvisited), 0) << k.rows.back();
    }
}

TEST_F(ScanEngine, FolderThatCannotBeListedIsReportedNamingTheHighestDetachedDrive) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // path, letters attached, of those still removable, the drive named
        {"C:\\vir_test", "", "", ""}, {"", "", "", ""}, {"E:\\gone", "E", "E", ""}, {"E:\\", "EG", "", "G:"},
        {"G:\\x", "EGH", "H", "G:"}, {"D:\\", "CDEFGHIJKLMNOPQRSTUVWXYZ", "", "Z:"}};
    for (auto [path, attached, removable, named] : cases) {
        platform::fake::HeadlessApp fresh;
        core::Globals& gs = core::globals();
        for (const char* l = attached; *l; ++l)
            gs.DriveAttached[*l - 'C'] = gs.DriveScanned[*l - 'C'] = rt::True;
        for (const char* l = removable; *l; ++l) fresh.sys.files.setDrive(*l, DriveType::Removable);
        gs.ScanInProgress = rt::True;
        int refreshed = 0;
        c("txtLastRow").onChange = [&] { ++refreshed; };
        scanner::ScanFolder(path);
        const std::string text = *named ? std::string("Maybe the a device at ") + named + " has detached." : "";
        EXPECT_EQ(fresh.ui.prompts(), Texts{"Scanning Error... " + text}) << path << " " << attached;
        EXPECT_EQ(fresh.ui.dialogs[0].style, 64);
        EXPECT_EQ(refreshed + grid().rows(), 2);
    }
}

TEST_F(ScanEngine, UnreadableSubfolderIsSkippedAndAPulledStickEndsTheWalk) {
    for (const char* p : {"E:\\a\\locked.exe", "E:\\b\\open.exe", "E:\\b\\c\\x.exe", "E:\\d\\y.exe", "E:\\f\\z.exe"})
        h.sys.files.addFile(p, 5);
    h.sys.files.setUnreadable("E:\\a");
    g.DriveAttached[2] = rt::True;
    h.ui.onDoEvents = [&] {
        if (grid().rows() == 3) h.sys.files.removeDrive('E');
    };
    scan("E:\\");
    const Texts said{"Scanning Error... ", "Scanning Error... Maybe the a device at E: has detached."};
    EXPECT_EQ(h.ui.prompts(), said);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(column(1), (Texts{"E:\\b\\open.exe", "E:\\b\\c\\x.exe"}));
    EXPECT_EQ(listings("E:\\d") * 10 + listings("E:\\f"), 10);
}

}  // namespace
}  // namespace tavlo::testsupport
