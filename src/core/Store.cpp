// The settings and ignore databases over ODBC. Every key, path and value
// reaches the database as a bound parameter, never inside the SQL text.
#include "core/Store.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/Odbc.h"
#include "runtime/App.h"
#include "runtime/ErrorReport.h"

namespace tavlo::core {

namespace {

using platform::odbc::Connection;
using platform::odbc::Statement;

constexpr const char* kConfFile = "pso.dat";
constexpr const char* kIgnoreFile = "pro.dat";
constexpr const char* kConfGroup = "zxxis";
constexpr const char* kConfError = "Conf Err.....Run Setup Again";

// The module state of the store: both connections and their flags, created
// with the running program and kept for its life.
struct StoreModule : rt::Module {
    Connection ConfDb;
    Connection IgnoreDb;
    bool ConfDbOpen = false;
    bool IgnoreDbOpen = false;
    // The settings engine numbers its rows (SQLite's rowid), so "the first
    // row of a key" can be named exactly.
    bool confHasRowid = false;
    std::string CipherKey;
};

StoreModule& store() { return rt::app().module<StoreModule>(); }

// Opens one database file of the system folder and proves it holds its
// table. False when the file is missing (or hidden/system) or unusable.
bool openDatabase(Connection& db, const char* file, const char* table) {
    auto& files = rt::app().sys().files;
    const std::string path = files.systemFolder() + "\\" + file;
    if (!files.existsNormal(path)) return false;
    try {
        db.open(StoreConnectionString(file));
        Statement(db, std::string("SELECT * FROM [") + table + "] WHERE 1=0").execute();
        return true;
    } catch (const rt::Error&) {
        db.close();
        return false;
    }
}

// The users' convention: the opener runs at most twice.
bool ensureOpen(bool& flag, void (*opener)()) {
    for (int pass = 1; pass <= 2 && !flag; ++pass) opener();
    return flag;
}

// Ends the program at once: no further message, no unload handlers.
void endProgram() { rt::app().sys().process.end(0); }

// The first row of a key: its rowid where the engine has one (0 otherwise),
// or nothing when the key has no row.
std::optional<long> firstConfRow(StoreModule& m, const std::string& key) {
    Statement q(m.ConfDb, m.confHasRowid ? "SELECT rowid FROM [conf] WHERE [Key]=? ORDER BY rowid"
                                         : "SELECT [Key] FROM [conf] WHERE [Key]=?");
    q.bind(key).execute();
    if (!q.fetch()) return std::nullopt;
    return m.confHasRowid ? q.integer(1).value_or(0) : 0L;
}

// The Value of the first row of a key; a row without a value reads as "".
std::optional<std::string> firstConfValue(StoreModule& m, const std::string& key) {
    Statement q(m.ConfDb, m.confHasRowid ? "SELECT [Value] FROM [conf] WHERE [Key]=? ORDER BY rowid"
                                         : "SELECT [Value] FROM [conf] WHERE [Key]=?");
    q.bind(key).execute();
    if (!q.fetch()) return std::nullopt;
    return q.text(1).value_or(std::string{});
}

// Overwrites the first row of the key. Without row numbers (the Access
// engine) every row of the key is overwritten; the program never makes two.
void overwriteConfRow(StoreModule& m, long rowid, const std::string& key, const std::string& value) {
    Statement q(m.ConfDb, m.confHasRowid ? "UPDATE [conf] SET [Group]=?, [Key]=?, [Value]=? WHERE rowid=?"
                                         : "UPDATE [conf] SET [Group]=?, [Key]=?, [Value]=? WHERE [Key]=?");
    q.bind(kConfGroup).bind(key).bind(value);
    if (m.confHasRowid)
        q.bind(rowid);
    else
        q.bind(key);
    q.execute();
}

void addConfRow(StoreModule& m, const std::string& key, const std::string& value) {
    Statement(m.ConfDb, "INSERT INTO [conf] ([Group], [Key], [Value]) VALUES (?, ?, ?)")
        .bind(kConfGroup)
        .bind(key)
        .bind(value)
        .execute();
}

bool isSqlite(Connection& db) {
    std::string name = db.dbmsName();
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.find("sqlite") != std::string::npos;
}

}  // namespace

std::string& CipherKey() { return store().CipherKey; }

std::string StoreConnectionString(const std::string& fileName) {
    auto& sys = rt::app().sys();
    const std::string folder = sys.files.systemFolder();
    const std::string driver = sys.env.variable("TAVLO_ODBC_DRIVER");
    if (driver.empty()) {
        return "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + fileName + ";DefaultDir=" + folder +
               ";UID=admin;PWD=Kv.)r#m4;";
    }
    // A database locked by another program is waited for one second, not
    // the driver's default of 100 seconds per statement.
    return "DRIVER={" + driver + "};Database=" + sys.env.driverPath(folder + "\\" + fileName) + ";Timeout=1000;";
}

void OpenConfDb() {
    StoreModule& m = store();
    if (m.ConfDbOpen) return;
    bool ok = openDatabase(m.ConfDb, kConfFile, "conf");
    if (ok) {
        try {
            m.confHasRowid = isSqlite(m.ConfDb);
        } catch (const rt::Error&) {
            m.confHasRowid = false;
        }
    }
    rt::app().setScreenPointer(rt::PointerDefault);
    if (ok)
        m.ConfDbOpen = true;
    else
        rt::app().msgBox(kConfError, rt::OkOnly | rt::Information);
}

void OpenIgnoreDb() {
    StoreModule& m = store();
    if (m.IgnoreDbOpen) return;
    const bool ok = openDatabase(m.IgnoreDb, kIgnoreFile, "ign");
    rt::app().setScreenPointer(rt::PointerDefault);
    if (ok) m.IgnoreDbOpen = true;
}

bool ConfDbOpen() { return store().ConfDbOpen; }
bool IgnoreDbOpen() { return store().IgnoreDbOpen; }
bool EnsureConfDb() { return ensureOpen(store().ConfDbOpen, OpenConfDb); }
bool EnsureIgnoreDb() { return ensureOpen(store().IgnoreDbOpen, OpenIgnoreDb); }

void SaveConf(const std::string& /*group*/, const std::string& key, const std::string& value) {
    if (!EnsureConfDb()) return endProgram();
    StoreModule& m = store();
    rt::ErrorReport report;
    std::optional<long> row;
    bool looked = false;
    if (!report.step([&] {
            row = firstConfRow(m, key);
            looked = true;
        }))
        return;
    // After an ignored lookup nothing is known of the key's row: writing
    // then could add a second row, so nothing is written.
    if (!looked) return;
    report.step([&] {
        if (row)
            overwriteConfRow(m, *row, key, value);
        else
            addConfRow(m, key, value);
    });
}

std::string GetConf(const std::string& /*group*/, const std::string& key) {
    std::string value;
    ReadConf(key, value);
    return value;
}

bool ReadConf(const std::string& key, std::string& value) {
    value.clear();
    if (!EnsureConfDb()) {
        endProgram();
        return false;
    }
    StoreModule& m = store();
    rt::ErrorReport report;
    bool read = false;
    report.step([&] {
        value = firstConfValue(m, key).value_or(std::string{});
        read = true;
    });
    return read;
}

bool GetMarker(const std::string& key, std::string& value) {
    std::optional<std::string> found = firstConfValue(store(), key);
    if (!found) return false;
    value = *found;
    return true;
}

void AddMarker(const std::string& key, const std::string& value) {
    Statement(store().ConfDb, "INSERT INTO [conf] ([Key], [Value]) VALUES (?, ?)").bind(key).bind(value).execute();
}

bool IgnoreListHas(const std::string& path) {
    Statement q(store().IgnoreDb, "SELECT [aut] FROM [ign] WHERE [pat]=?");
    q.bind(path).execute();
    return q.fetch();
}

void IgnoreListAdd(const std::string& path) {
    Statement(store().IgnoreDb, "INSERT INTO [ign] ([pat]) VALUES (?)").bind(path).execute();
}

std::vector<IgnoreRow> IgnoreListRows() {
    Statement q(store().IgnoreDb, "SELECT [aut], [pat] FROM [ign]");
    q.execute();
    std::vector<IgnoreRow> rows;
    while (q.fetch()) rows.push_back({q.integer(1).value_or(0), q.text(2).value_or(std::string{})});
    return rows;
}

bool IgnoreListRemove(long aut) {
    Statement q(store().IgnoreDb, "DELETE FROM [ign] WHERE [aut]=?");
    q.bind(aut);
    return q.execute() && q.rowCount() > 0;
}

}  // namespace tavlo::core
