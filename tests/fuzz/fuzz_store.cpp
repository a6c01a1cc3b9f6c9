// The store's query path with any key, value and path, against real SQLite
// databases in a temporary folder (the SQLite3 ODBC driver): no crash, and
// exact round trips. A key is saved twice (the second time in the other
// letter case) and read back as the last value, in one row; a path is added
// to the ignore list, found (in either letter case), listed exactly once as
// it was given, and removed. Texts reach the driver as UTF-8 made UTF-16: a
// malformed byte reads as U+FFFD, so that is what comes back. A text with a
// NUL character is refused through the error report and changes nothing; a
// path over 255 characters is refused by the ignore table.
// One exception, the SQLite3 ODBC driver's and not the program's: it reads a
// character of the last plane (U+100000 to U+10FFFF, a 4-byte UTF-8 sequence
// led by 0xF4) back without its top bit, although it stores it exactly and
// compares it exactly; texts holding one are looked up and counted, not
// compared when read back.
// Input: key, first value, second value and path, split by FuzzedDataProvider.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Odbc.h"
#include "platform/Utf.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;
using fuzz::shown;

namespace {

constexpr const char* kSystemFolder = "C:\\WINDOWS\\system32";
constexpr const char* kDriver = "SQLite3";

struct Fixture {
    std::filesystem::path folder;
    platform::fake::HeadlessApp h;
    platform::odbc::Connection side;  // our own look at the settings table
};
Fixture* fixture = nullptr;

void removeFolder() {
    std::error_code ec;
    if (fixture) std::filesystem::remove_all(fixture->folder, ec);
}

// The SQLite3 driver in a driver list of our own, unless the caller named one.
void useDriverList(const std::filesystem::path& folder) {
    if (const char* dir = std::getenv("ODBCSYSINI"); dir && std::filesystem::exists(std::string(dir) + "/odbcinst.ini"))
        return;
    std::ofstream(folder / "odbcinst.ini") << "[SQLite3]\nDriver=libsqlite3odbc.so\n";
    setenv("ODBCSYSINI", folder.c_str(), 1);
}

std::string driverText(const std::string& text) { return platform::toUtf8(platform::toUtf16(text)); }

std::size_t characters(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

bool hasNul(const std::string& s) { return s.find('\0') != std::string::npos; }

// Whether the driver reads the (valid UTF-8) text back as it was stored.
bool readsBack(const std::string& utf8) { return utf8.find('\xF4') == std::string::npos; }

long confRows(const std::string& key) {
    platform::odbc::Statement q(fixture->side, "SELECT count(*) FROM [conf] WHERE [Key]=?");
    q.bind(key).execute();
    q.fetch();
    return q.integer(1).value_or(-1);
}

void checkConf(const std::string& key, const std::string& first, const std::string& second) {
    auto& dialogs = fixture->h.ui.dialogs;
    dialogs.clear();
    core::SaveConf("any group", key, first);
    core::SaveConf("", fuzz::swapAsciiCase(key), second);
    const std::string read = core::GetConf("zxxis", key);
    if (hasNul(key)) {
        // Each of the three calls reports the refused key once; Abort leaves.
        FUZZ_CHECK(dialogs.size() == 3, "%zu reports for key %s", dialogs.size(), shown(key).c_str());
        FUZZ_CHECK(read.empty(), "a refused key read %s", shown(read).c_str());
        return;
    }
    const std::size_t refusedValues = hasNul(first) + hasNul(second);
    FUZZ_CHECK(dialogs.size() == refusedValues, "%zu reports for key %s, values %s / %s", dialogs.size(),
               shown(key).c_str(), shown(first).c_str(), shown(second).c_str());
    const std::string expected = !hasNul(second) ? driverText(second) : !hasNul(first) ? driverText(first) : "";
    FUZZ_CHECK(read == expected || !readsBack(expected), "key %s read %s, not %s", shown(key).c_str(), shown(read).c_str(),
               shown(expected).c_str());
    FUZZ_CHECK(confRows(key) == (refusedValues == 2 ? 0 : 1), "key %s has %ld rows", shown(key).c_str(),
               confRows(key));
    fixture->side.execute("DELETE FROM [conf]");
}

void checkIgnoreList(const std::string& path) {
    if (hasNul(path)) {
        bool refused = false;
        try {
            core::IgnoreListAdd(path);
        } catch (const rt::Error&) {
            refused = true;
        }
        FUZZ_CHECK(refused, "a path with a NUL character was stored: %s", shown(path).c_str());
        FUZZ_CHECK(core::IgnoreListRows().empty(), "rows after a refused path");
        return;
    }
    const std::string stored = driverText(path);
    FUZZ_CHECK(!core::IgnoreListHas(path), "path %s listed before it was added", shown(path).c_str());
    bool added = true;
    try {
        core::IgnoreListAdd(path);
    } catch (const rt::Error&) {
        added = false;
    }
    FUZZ_CHECK(added == (characters(stored) <= 255), "path of %zu characters %s: added %d",
               characters(stored), shown(path).c_str(), added);
    if (!added) {
        FUZZ_CHECK(!core::IgnoreListHas(path) && core::IgnoreListRows().empty(), "a refused path left a row");
        return;
    }
    FUZZ_CHECK(core::IgnoreListHas(path), "added path %s not found", shown(path).c_str());
    FUZZ_CHECK(core::IgnoreListHas(fuzz::swapAsciiCase(path)), "path %s not found in the other case",
               shown(path).c_str());
    const auto rows = core::IgnoreListRows();
    FUZZ_CHECK(rows.size() == 1 && (rows[0].pat == stored || !readsBack(stored)), "%zu rows, first %s, for %s", rows.size(),
               rows.empty() ? "" : shown(rows[0].pat).c_str(), shown(stored).c_str());
    FUZZ_CHECK(core::IgnoreListRemove(rows[0].aut), "row %ld not removed", rows[0].aut);
    FUZZ_CHECK(!core::IgnoreListHas(path), "removed path %s still found", shown(path).c_str());
    FUZZ_CHECK(!core::IgnoreListRemove(rows[0].aut), "row %ld removed twice", rows[0].aut);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fixture = new Fixture;
    // In memory where the machine offers it: every write of the store is a
    // transaction that waits for the disk otherwise.
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
    fixture->folder = base / ("tavlo-fuzz-store-" + std::to_string(getpid()));
    std::filesystem::create_directories(fixture->folder);
    std::atexit(removeFolder);
    useDriverList(fixture->folder);
    auto& sys = fixture->h.sys;
    sys.env.variables["TAVLO_ODBC_DRIVER"] = kDriver;
    sys.env.folders[kSystemFolder] = fixture->folder.string();
    const std::string conf = (fixture->folder / "pso.dat").string(), ign = (fixture->folder / "pro.dat").string();
    core::MakeSettingsDatabase(kDriver, conf);
    core::MakeIgnoreDatabase(kDriver, ign);
    sys.files.addFile(std::string(kSystemFolder) + "\\pso.dat", 4096);
    sys.files.addFile(std::string(kSystemFolder) + "\\pro.dat", 4096);
    fixture->side.open("DRIVER={SQLite3};Database=" + conf + ";");
    FUZZ_CHECK(core::EnsureConfDb() && core::EnsureIgnoreDb(), "the store did not open its databases");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string key = input.ConsumeRandomLengthString(300);
    const std::string first = input.ConsumeRandomLengthString(1000);
    const std::string second = input.ConsumeRandomLengthString(1000);
    const std::string path = input.ConsumeRemainingBytesAsString();
    checkConf(key, first, second);
    checkIgnoreList(path);
    return 0;
}
