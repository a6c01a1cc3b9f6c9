// A stick written by an attacker, met by the whole program without windows:
// the main window loaded, both databases real (SQLite files in a fresh
// folder, behind the fake system folder), and the stick at E: in the fake
// file system. The cases plug it in as the drive poll does, let the scan
// driver run, and then read what the user would see: the rows, the status
// line and every message box. Nothing on the stick may go without a Yes.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "core/Store.h"
#include "core/StoreFixture.h"
#include "core/StoreSetup.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::hostile {

using Texts = std::vector<std::string>;

inline constexpr char kStick = 'E';
inline constexpr const char* kRoot = "E:\\";

// The folder names of a path nested `depth` folders deep below the stick's
// root, each name `width` characters long ("E:\dddd\dddd\...").
inline std::string nestedFolder(int depth, int width = 1) {
    std::string path = "E:";
    for (int i = 0; i < depth; ++i) path += "\\" + std::string(width, static_cast<char>('a' + i % 26));
    return path;
}

// What other programs leave in a database's place: an empty file, text, a
// program, a cut-off SQLite file, an Access file's header.
inline const std::vector<std::pair<std::string, std::string>> kNotDatabases = {
    {"empty file", ""},
    {"text", "[conf]\r\nwpop=Full Desktop\r\n"},
    {"program", std::string("MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff", 14) + std::string(4000, '\xcc')},
    {"cut-off SQLite file", std::string("SQLite format 3\0", 16) + std::string(84, '\x01')},
    {"Access file", std::string("\0\x01\0\0Standard Jet DB\0", 20) + std::string(2028, '\0')},
};

// Another process holding an exclusive lock on a database file: the sqlite3
// shell inside a transaction, until release() or the end of the object.
class LockingProcess {
public:
    static bool available() { return std::system("sqlite3 -version >/dev/null 2>&1") == 0; }
    LockingProcess(const std::string& database, const std::string& signal) {
        shell_ = popen(("sqlite3 '" + database + "' >/dev/null 2>&1").c_str(), "w");
        if (!shell_) return;
        std::fprintf(shell_, "BEGIN EXCLUSIVE;\nSELECT count(*) FROM sqlite_master;\n.shell touch '%s'\n",
                     signal.c_str());
        std::fflush(shell_);
        for (int i = 0; i < 1000 && !std::filesystem::exists(signal); ++i)  // at most 10 s
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        locked_ = std::filesystem::exists(signal);
    }
    ~LockingProcess() { release(); }
    LockingProcess(const LockingProcess&) = delete;
    LockingProcess& operator=(const LockingProcess&) = delete;
    bool locked() const { return locked_; }
    void release() {
        if (shell_) pclose(shell_);  // the shell ends; its transaction rolls back
        shell_ = nullptr;
    }

private:
    FILE* shell_ = nullptr;
    bool locked_ = false;
};

class HostileStickTest : public ::testing::Test {
protected:
    HostileStickTest() {
        testing::useOwnDriverList();
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = testing::kDriver;
        h.sys.env.folders[testing::kSystemFolder] = folder.host();
        core::MakeSettingsDatabase(testing::kDriver, folder.hostFile("pso.dat"));
        core::MakeIgnoreDatabase(testing::kDriver, folder.hostFile("pro.dat"));
        h.sys.files.addFile(systemFile("pso.dat"), 4096);
        h.sys.files.addFile(systemFile("pro.dat"), 4096);
        h.sys.files.setDrive('C', platform::DriveType::Fixed);
        core::CipherKey() = core::kCipherKey;
    }

    // Replaces a database file with other bytes.
    void overwriteDatabase(const std::string& name, const std::string& bytes) {
        std::ofstream(folder.hostFile(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    void removeDatabase(const std::string& name) {
        std::filesystem::remove(folder.hostFile(name));
        h.sys.files.remove(systemFile(name));
        h.sys.files.calls.clear();
    }

    static std::string systemFile(const std::string& name) {
        return std::string(testing::kSystemFolder) + "\\" + name;
    }

    core::Frm0& f() { return core::frm0(); }
    rt::Grid& grid() { return f().grid("MsfInfectd"); }
    core::Globals& g() { return core::globals(); }

    // A file of the stick, remembered so that the end of the case can prove
    // it is still there.
    void stickFile(const std::string& path, std::uint64_t size = 1000,
                   std::uint32_t attributes = platform::AttrArchive) {
        h.sys.files.addFile(path, size, attributes);
        stickFiles_.push_back(path);
    }

    // The stick arrives as the drive poll sees it: attached, not scanned,
    // no abort pending; then the poll's trigger runs the scan driver.
    void plugAndScan() {
        if (!f().loaded()) f().show();
        h.sys.files.setDrive(kStick, platform::DriveType::Removable);
        const int i = core::Globals::letterIndex(kStick);
        g().DriveAttached[i] = rt::True;
        g().DriveScanned[i] = rt::False;
        g().AbortScanRequested = rt::False;
        f().c("txtNo1").append(".");
    }

    // What the user sees after the scan.
    Texts rowPaths() {
        Texts paths;
        for (int r = 1; r < grid().rows(); ++r) paths.push_back(grid().textMatrix(r, 1));
        return paths;
    }
    std::string status() { return f().c("lblCncMsg").caption(); }
    std::string examined() { return f().c("lblCount").caption(); }
    Texts messages() { return h.ui.prompts(); }
    bool scanFinished() { return !g().ScanInProgress && g().DriveScanned[core::Globals::letterIndex(kStick)]; }

    // No file went without a confirmed delete: no delete or attribute reset
    // reached the file system, and every file of the stick is still there.
    void expectNothingDeleted() {
        for (const std::string& call : h.sys.files.calls) {
            EXPECT_NE(call.rfind("remove ", 0), 0u) << call;
            EXPECT_NE(call.rfind("resetAttributes ", 0), 0u) << call;
        }
        for (const std::string& file : stickFiles_) EXPECT_TRUE(h.sys.files.exists(file)) << file;
    }
    // The scan ended as the Parts have it, with the total on the status line.
    void expectTotal(int risky) {
        EXPECT_FALSE(g().ScanInProgress);
        EXPECT_EQ(status(), "Risky Objects found: " + std::to_string(risky));
        EXPECT_EQ(f().c("lblInfected").caption(), std::to_string(risky));
    }

    testing::TempFolder folder;  // of the databases; outlives the program
    platform::fake::HeadlessApp h;

private:
    Texts stickFiles_;
};

}  // namespace tavlo::hostile
