// Memory of the headless program at scale, measured under valgrind (massif
// for the peak, memcheck for leaks) by scripts/measure-memory:
//   memory_bench fs N     the fake stick of N files alone (the baseline of "scan")
//   memory_bench scan N   that stick plugged in and scanned by the scan driver,
//                         with real settings and ignore databases (SQLite)
//   memory_bench risky N  the same with every file risky: N rows in the grid
//   memory_bench grid N   the main window's results grid with N rows as the scan
//                         engine writes them, refreshed against the ignore list
// Every mode ends the program in order, so that what is left is a leak.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;

namespace {

constexpr const char* kSystemFolder = "C:\\WINDOWS\\system32";
constexpr const char* kDriver = "SQLite3";

// A fresh folder with both databases, removed at the end.
struct Databases {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tavlo-bench-" + std::to_string(getpid()));
    explicit Databases(platform::fake::HeadlessApp& h) {
        std::filesystem::create_directories(folder);
        if (!std::getenv("ODBCSYSINI")) {
            std::ofstream(folder / "odbcinst.ini") << "[SQLite3]\nDriver=libsqlite3odbc.so\n";
            setenv("ODBCSYSINI", folder.c_str(), 1);
        }
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = kDriver;
        h.sys.env.folders[kSystemFolder] = folder.string();
        core::MakeSettingsDatabase(kDriver, (folder / "pso.dat").string());
        core::MakeIgnoreDatabase(kDriver, (folder / "pro.dat").string());
        h.sys.files.addFile(std::string(kSystemFolder) + "\\pso.dat", 4096);
        h.sys.files.addFile(std::string(kSystemFolder) + "\\pro.dat", 4096);
    }
    ~Databases() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

// N files in folders of 1000 on E:, one in ten of them risky (or all).
void makeStick(platform::fake::HeadlessApp& h, int files, bool allRisky) {
    h.sys.files.setDrive('E', platform::DriveType::Removable);
    for (int i = 0; i < files; ++i) {
        const std::string folder = "E:\\folder" + std::to_string(i / 1000) + "\\";
        const char* ext = allRisky || i % 10 == 0 ? ".exe" : i % 10 == 1 ? ".jpg" : ".txt";
        h.sys.files.addFile(folder + "file" + std::to_string(i) + ext, 1000 + i % 5000);
    }
}

void scan(platform::fake::HeadlessApp& h) {
    auto& g = core::globals();
    const int e = core::Globals::letterIndex('E');
    g.DriveAttached[e] = rt::True;
    g.AbortScanRequested = rt::False;
    core::frm0().show();
    core::frm0().c("txtNo1").append(".");
    std::printf("examined %s, rows %d, status \"%s\", messages %zu\n", core::frm0().c("lblCount").caption().c_str(),
                core::frm0().grid("MsfInfectd").rows() - 1, core::frm0().c("lblCncMsg").caption().c_str(),
                h.ui.dialogs.size());
}

// A caption on one line, for the report.
std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " / ");
    return text;
}

// The grid filled as the engine fills it, then the ignore-list refresh.
void fillGrid(int rows) {
    auto& w = core::frm0();
    w.show();
    auto& grid = w.grid("MsfInfectd");
    for (int i = 0; i < rows; ++i) {
        const std::string path = "E:\\folder" + std::to_string(i / 1000) + "\\file" + std::to_string(i) + ".exe";
        const int r = grid.rows();
        grid.setRows(r + 1);
        grid.setTextMatrix(r, 2, "Risky");
        grid.setTextMatrix(r, 3, "Ignore");
        grid.setTextMatrix(r, 4, "Delete");
        grid.setTextMatrix(r, 5, path);
        grid.setTextMatrix(r, 1, path);
    }
    w.c("txtLastRow").append(".");
    std::printf("rows %d, status \"%s\"\n", grid.rows() - 1, oneLine(w.c("lblCncMsg").caption()).c_str());
    w.unload();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s fs|scan|risky|grid N\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const int n = std::atoi(argv[2]);
    const auto start = std::chrono::steady_clock::now();
    {
        platform::fake::HeadlessApp h;
        Databases databases(h);
        core::CipherKey() = core::kCipherKey;
        if (mode == "fs" || mode == "scan" || mode == "risky") makeStick(h, n, mode == "risky");
        if (mode == "scan" || mode == "risky") scan(h);
        if (mode == "grid") fillGrid(n);
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s %d: %lld ms\n", mode.c_str(), n, static_cast<long long>(ms));
    return 0;
}
