// Real SQLite store databases in a fresh host folder for each test, reached
// through the fake system folder "C:\WINDOWS\system32" and the SQLite3 ODBC
// driver, natively and under Wine (which sees the host's /tmp on drive Z:).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/Odbc.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::testing {

inline constexpr const char* kSystemFolder = "C:\\WINDOWS\\system32";
inline constexpr const char* kDriver = "SQLite3";

// A host path as this process's file functions name it.
inline std::string localPath(std::string p) {
#ifdef _WIN32
    p = "Z:" + p;
    for (char& c : p) c = c == '/' ? '\\' : c;
#endif
    return p;
}

// Natively, the SQLite3 driver in a driver list of our own unless the
// environment names one (under Wine the starter sets it up).
inline void useOwnDriverList() {
#ifndef _WIN32
    if (const char* dir = std::getenv("ODBCSYSINI"); dir && std::filesystem::exists(std::string(dir) + "/odbcinst.ini"))
        return;
    const auto dir = std::filesystem::temp_directory_path() / "tavlo-odbc";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "odbcinst.ini") << "[SQLite3]\nDriver=libsqlite3odbc.so\n";
    setenv("ODBCSYSINI", dir.c_str(), 1);
#endif
}

class TempFolder {
public:
    TempFolder() { std::filesystem::create_directories(localPath(host_)); }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(localPath(host_), ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& host() const { return host_; }
    std::string hostFile(const std::string& name) const { return host_ + "/" + name; }

private:
    std::string host_ =
        "/tmp/tavlo-store-" + std::to_string(std::random_device{}()) + std::to_string(std::random_device{}());
};

using Row = std::vector<std::optional<std::string>>;

class StoreTest : public ::testing::Test {
protected:
    StoreTest() {
        useOwnDriverList();
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = kDriver;
        h.sys.env.folders[kSystemFolder] = folder.host();
    }
    static std::string systemFile(const std::string& name) { return std::string(kSystemFolder) + "\\" + name; }
    // The database with its table, shown to the fake file system.
    void makeConf(std::uint32_t attributes = platform::AttrArchive) {
        core::MakeSettingsDatabase(kDriver, folder.hostFile("pso.dat"));
        h.sys.files.addFile(systemFile("pso.dat"), 4096, attributes);
    }
    void makeIgnore(std::uint32_t attributes = platform::AttrArchive) {
        core::MakeIgnoreDatabase(kDriver, folder.hostFile("pro.dat"));
        h.sys.files.addFile(systemFile("pro.dat"), 4096, attributes);
    }
    // A connection of the test's own, beside the store's.
    void open(platform::odbc::Connection& db, const std::string& file) {
        db.open("DRIVER={SQLite3};Database=" + folder.hostFile(file) + ";");
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

}  // namespace tavlo::testing
