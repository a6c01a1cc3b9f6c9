// The core area's fixture, the base of other areas' programs too: a headless program whose databases are real
// SQLite files in a fresh host folder behind the fake system folder (under Wine, the host's /tmp is on Z:).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/FrmSplash.h"
#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/Odbc.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::testing {

inline constexpr const char* kDriver = "SQLite3";
using Row = std::vector<std::optional<std::string>>;
using Names = std::vector<std::string>;

// A host path as this process's file functions name it.
inline std::string localPath(std::string p) {
#ifdef _WIN32
    p = "Z:" + p;
    for (char& c : p) c = c == '/' ? '\\' : c;
#endif
    return p;
}

// The window's width and height, then each control's Left,Top,Width,Height.
inline std::string boxes(rt::Form& f, std::initializer_list<const char*> names) {
    std::string out = std::to_string(f.width()) + "x" + std::to_string(f.height());
    for (const char* n : names) {
        auto& c = f.c(n);
        out += " " + std::to_string(c.left()) + "," + std::to_string(c.top()) + "," + std::to_string(c.width()) + "," +
               std::to_string(c.height());
    }
    return out;
}

struct TempFolder {
    std::string host =
        "/tmp/tavlo-store-" + std::to_string(std::random_device{}()) + std::to_string(std::random_device{}());
    TempFolder() { std::filesystem::create_directories(localPath(host)); }
    ~TempFolder() { std::filesystem::remove_all(localPath(host), ec); }
    std::string file(const std::string& name) const { return host + "/" + name; }
    std::error_code ec;  // of the removal, which leaves what it cannot remove
};

class StoreTest : public ::testing::Test {
protected:
    StoreTest() {
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = kDriver;
        h.sys.env.folders["C:\\WINDOWS\\system32"] = folder.host;
    }
    static std::string systemFile(const std::string& name) { return "C:\\WINDOWS\\system32\\" + name; }
    // The database with its table, shown to the fake file system.
    void makeConf() {
        core::MakeSettingsDatabase(kDriver, folder.file("pso.dat"));
        h.sys.files.addFile(systemFile("pso.dat"), 4096);
    }
    void makeIgnore(std::uint32_t attributes = platform::AttrArchive) {
        core::MakeIgnoreDatabase(kDriver, folder.file("pro.dat"));
        h.sys.files.addFile(systemFile("pro.dat"), 4096, attributes);
    }
    // A connection of the test's own, beside the store's.
    void open(platform::odbc::Connection& db, const std::string& file) {
        db.open("DRIVER={SQLite3};Database=" + folder.file(file) + ";");
    }
    void run(const std::string& file, const std::string& sql) {
        platform::odbc::Connection db;
        open(db, file);
        db.execute(sql);
    }
    std::vector<Row> confRows() {
        platform::odbc::Connection db;
        open(db, "pso.dat");
        platform::odbc::Statement q(db, "SELECT [Group], [Key], [Value] FROM [conf] ORDER BY rowid");
        std::vector<Row> rows;
        for (q.execute(); q.fetch();) rows.push_back({q.text(1), q.text(2), q.text(3)});
        return rows;
    }

    TempFolder folder;  // outlives the app, whose connections close first
    platform::fake::HeadlessApp h;
};

// The core tests' program: version 1.4.0, with an empty settings database.
class CoreTest : public StoreTest {
protected:
    CoreTest() {
        makeConf();
        h.app().version = {1, 4, 0};
    }
};

}  // namespace tavlo::testing
