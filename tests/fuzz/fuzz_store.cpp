// The store's SQLite databases against a model: a setting reads its last value whatever its key's ASCII case; a path of
// up to 255 characters is listed once, found in either case; a text with a NUL is refused. Input: commands and texts.
#include <algorithm>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Odbc.h"
#include "platform/fake/HeadlessApp.h"

using namespace tavlo;

namespace {

const std::string kChars[] = {"a", "B", "'", "\"", "%", "_", " ", "\\", "é", "€", std::string(1, '\0'), "b"};
const auto kFolder = std::filesystem::path("/dev/shm/tavlo-fuzz-store-" + std::to_string(getpid()));  // in memory
platform::fake::HeadlessApp* app = nullptr;
platform::odbc::Connection side;  // our own, to empty both tables

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
    std::map<std::string, std::string> values, paths;  // the model: settings and paths by lower-case key
    for (std::size_t i = 0, end = 3; end <= size; i = end, end += 3) {
        std::string text[2];
        for (int t = 0; t < 2; ++t)  // mostly short keys, so that they meet again; long ones past 255 characters
            for (std::size_t n = t || data[i + 1] > 250 ? data[i + 1 + t] * (2 - t) : data[i + 1] % 4;
                 n > 0 && end < size; --n)
                text[t] += kChars[data[end++] % 12];
        const std::string &key = text[0], &value = text[1];
        std::string low = key;  // the model's key: "B" is the one capital of kChars
        std::replace(low.begin(), low.end(), 'B', 'b');
        const bool nulKey = key.find('\0') != std::string::npos, nul = nulKey || value.find('\0') != std::string::npos;
        const bool listed = paths.count(low);
        app->ui.dialogs.clear();
        if (data[i] % 2 == 0) {  // a setting stored and read back (a second row would be read instead)
            core::SaveConf("any", key, value);
            if (!nul) values[low] = value;
            const std::string read = core::GetConf("zxxis", key);
            FUZZ_CHECK(read == (values.count(low) ? values[low] : "") && app->ui.dialogs.size() == 0u + nul + nulKey,
                       "key %s read %s", fuzz::shown(key).c_str(), fuzz::shown(read).c_str());
        } else {  // a path looked up, and added when it is not listed
            const auto chars = std::count_if(key.begin(), key.end(), [](char c) { return (c & 0xC0) != 0x80; });
            bool found = false, threw = false;
            try {
                found = core::IgnoreListHas(key);
                if (!found) core::IgnoreListAdd(key), paths.emplace(low, "");
            } catch (const rt::Error&) {
                threw = true;
            }
            FUZZ_CHECK(found == listed && threw == (nulKey || (!found && chars > 255)) &&
                           core::IgnoreListRows().size() == paths.size(),
                       "path %s", fuzz::shown(key).c_str());
        }
    }
    return 0;
}
