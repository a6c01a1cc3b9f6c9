// The store on real SQLite databases (driver list from ODBCSYSINI, as fuzz-run sets it) against a
// model kept here: a setting reads its last value, in one row, whatever its key's ASCII letter case;
// a path of up to 255 characters is listed once and found in either case; a text with a NUL character
// is refused and changes nothing. Input: commands of three bytes (what, key and value length) and
// their texts, each byte a kChars character.
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <unistd.h>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Odbc.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;

namespace {

const std::string kChars[] = {"a", "B", "'", "\"", "%", "_", " ", "\\", "é", "€", std::string(1, '\0'), "b"};
// In memory where the machine offers it: every write is a transaction that waits for the disk otherwise.
const auto kFolder = std::filesystem::path(std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp") /
                     ("tavlo-fuzz-store-" + std::to_string(getpid()));
platform::fake::HeadlessApp* app = nullptr;
platform::odbc::Connection side;  // our own look at both tables

std::string lower(std::string s) {
    for (char& c : s) c = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::filesystem::create_directories(kFolder);
    std::atexit([] { std::filesystem::remove_all(kFolder); });
    app = new platform::fake::HeadlessApp;
    app->sys.env.variables["TAVLO_ODBC_DRIVER"] = "SQLite3";
    app->sys.env.folders["C:\\WINDOWS\\system32"] = kFolder.string();
    core::MakeSettingsDatabase("SQLite3", (kFolder / "pso.dat").string());
    core::MakeIgnoreDatabase("SQLite3", (kFolder / "pro.dat").string());
    for (const char* file : {"pso.dat", "pro.dat"})
        app->sys.files.addFile(std::string("C:\\WINDOWS\\system32\\") + file);
    side.open("DRIVER={SQLite3};Database=" + (kFolder / "pso.dat").string() + ";");
    side.execute("ATTACH DATABASE '" + (kFolder / "pro.dat").string() + "' AS ig");
    FUZZ_CHECK(core::EnsureConfDb() && core::EnsureIgnoreDb(), "the store did not open its databases");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const char* sql : {"DELETE FROM [conf]", "DELETE FROM ig.[ign]"}) side.execute(sql);
    std::map<std::string, std::string> values;  // the model, by lower-case key
    std::set<std::string> paths;                // by lower-case path
    for (std::size_t i = 0; i + 3 <= size;) {
        std::string text[2];
        std::size_t end = i + 3;
        for (int t = 0; t < 2; ++t)  // mostly short keys, so that they meet again; long ones past 255 characters
            for (std::size_t n = t || data[i + 1] > 250 ? data[i + 1 + t] * (2 - t) : data[i + 1] % 4;
                 n > 0 && end < size; --n)
                text[t] += kChars[data[end++] % 12];
        const std::string& key = text[0];
        const bool nulKey = key.find('\0') != std::string::npos,
                   nul = nulKey || text[1].find('\0') != std::string::npos;
        const bool listed = paths.count(lower(key));
        bool threw = false, found = false;
        app->ui.dialogs.clear();
        if (data[i] % 2 == 0) {  // a setting stored and read back
            core::SaveConf("any", key, text[1]);
            if (!nul) values[lower(key)] = text[1];
            const std::string read = core::GetConf("zxxis", key);
            const auto stored = values.find(lower(key));
            FUZZ_CHECK(read == (stored == values.end() ? "" : stored->second), "key %s read %s",
                       fuzz::shown(key).c_str(), fuzz::shown(read).c_str());
            FUZZ_CHECK(app->ui.dialogs.size() == std::size_t(nul + nulKey), "%zu reports", app->ui.dialogs.size());
        } else {  // a path looked up, and added when it is not listed
            const auto chars = std::count_if(key.begin(), key.end(), [](char c) { return (c & 0xC0) != 0x80; });
            try {
                found = core::IgnoreListHas(key);
                if (!found) core::IgnoreListAdd(key), paths.insert(lower(key));
            } catch (const rt::Error&) {
                threw = true;
            }
            FUZZ_CHECK(found == listed && threw == (nulKey || (!found && chars > 255)), "path %s: found %d, refused %d",
                       fuzz::shown(key).c_str(), found, threw);
        }
        i = end;
        platform::odbc::Statement rows(side, "SELECT (SELECT count(*) FROM [conf]), (SELECT count(*) FROM ig.[ign])");
        FUZZ_CHECK(rows.execute() && rows.fetch() && rows.integer(1) == long(values.size()) &&
                       rows.integer(2) == long(paths.size()),
                   "the tables hold other rows than the model");
    }
    return 0;
}
