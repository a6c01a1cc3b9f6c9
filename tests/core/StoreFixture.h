// Real SQLite store databases in a fresh folder for each test, reached by the
// store through the fake system folder "C:\WINDOWS\system32" and the SQLite3
// ODBC driver. Natively and under Wine alike: the folder lives in the host's
// /tmp, which a Wine process sees on drive Z:.
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

#ifdef _WIN32
inline constexpr bool kUnderWine = true;
#else
inline constexpr bool kUnderWine = false;
#endif

// The host folder as this process's file functions name it.
inline std::string localPath(const std::string& hostPath) {
    if (!kUnderWine) return hostPath;
    std::string p = "Z:" + hostPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

// Natively, registers the SQLite3 driver in an odbcinst.ini of our own
// unless the environment names a driver list that exists (under Wine the
// starter sets it up).
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

// A fresh host folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        std::random_device rd;
        host_ = "/tmp/tavlo-store-" + std::to_string(rd()) + std::to_string(rd());
        std::filesystem::create_directories(local());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(local(), ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& host() const { return host_; }
    std::string local() const { return localPath(host_); }
    std::string hostFile(const std::string& name) const { return host_ + "/" + name; }
    std::string localFile(const std::string& name) const { return localPath(hostFile(name)); }

private:
    std::string host_;
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

    // Makes the database with its table and shows it to the fake file system.
    void makeConf(std::uint32_t attributes = platform::AttrArchive) {
        core::MakeSettingsDatabase(kDriver, folder.hostFile("pso.dat"));
        h.sys.files.addFile(systemFile("pso.dat"), 4096, attributes);
    }
    void makeIgnore(std::uint32_t attributes = platform::AttrArchive) {
        core::MakeIgnoreDatabase(kDriver, folder.hostFile("pro.dat"));
        h.sys.files.addFile(systemFile("pro.dat"), 4096, attributes);
    }
    // A file of that name holding the bytes, shown to the fake file system.
    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(folder.localFile(name), std::ios::binary) << bytes;
        h.sys.files.addFile(systemFile(name), bytes.size());
    }

    // Runs SQL on its own connection to a database file, beside the store's.
    std::vector<Row> query(const std::string& file, const std::string& sql, int columns) {
        platform::odbc::Connection db;
        db.open("DRIVER={SQLite3};Database=" + folder.hostFile(file) + ";");
        platform::odbc::Statement q(db, sql);
        q.execute();
        std::vector<Row> rows;
        while (q.fetch()) {
            Row r;
            for (int c = 1; c <= columns; ++c) r.push_back(q.text(c));
            rows.push_back(r);
        }
        return rows;
    }
    void run(const std::string& file, const std::string& sql) {
        platform::odbc::Connection db;
        db.open("DRIVER={SQLite3};Database=" + folder.hostFile(file) + ";");
        db.execute(sql);
    }
    std::vector<Row> confRows() { return query("pso.dat", "SELECT [Group], [Key], [Value] FROM [conf] ORDER BY rowid", 3); }

    TempFolder folder;  // outlives the app, whose connections close first
    platform::fake::HeadlessApp h;
};

}  // namespace tavlo::testing
