// A stick written by an attacker, met by the whole program without windows:
// started as usual with both databases real (SQLite files in a fresh folder
// behind the fake system folder) and the small alert chosen; the stick is
// plugged at E: of the fake drives and found by the drive poll's tick. The
// cases read what the user sees: rows, status line, every message box.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "core/Frm0.h"
#include "core/Program.h"
#include "core/Store.h"
#include "core/StoreSetup.h"
#include "platform/fake/HeadlessApp.h"

namespace tavlo::hostile {

using Texts = std::vector<std::string>;
inline constexpr const char* kSystemFolder = "C:\\WINDOWS\\system32";

// "E:\a\b\c..." nested `depth` folders deep, each name `width` letters long.
inline std::string nestedFolder(int depth, int width = 1) {
    std::string path = "E:";
    for (int i = 0; i < depth; ++i) path += "\\" + std::string(width, static_cast<char>('a' + i % 26));
    return path;
}

// The path by which this process opens a host path (under Wine the host's
// /tmp is on drive Z:).
inline std::string localPath(std::string hostPath) {
#ifdef _WIN32
    std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
    return "Z:" + hostPath;
#else
    return hostPath;
#endif
}

// What other programs leave in a database's place.
inline const char* const kNotDatabaseNames[] = {"empty", "text", "program", "cutSQLite", "accessFile"};
inline const std::vector<std::string> kNotDatabases = {
    "", "[conf]\r\nwpop=Full Desktop\r\n", std::string("MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff", 14) + std::string(4000, '\xcc'),
    std::string("SQLite format 3\0", 16) + std::string(84, '\x01'),
    std::string("\0\x01\0\0Standard Jet DB\0", 20) + std::string(2028, '\0')};

// Another process holding an exclusive lock on a database file: the sqlite3
// shell inside a transaction, until release() or the end of the object.
class LockingProcess {
public:
    static bool available() { return std::system("sqlite3 -version >/dev/null 2>&1") == 0; }
    LockingProcess(const std::string& database, const std::string& signal) {
        shell_ = popen(("sqlite3 '" + database + "' >/dev/null 2>&1").c_str(), "w");
        std::fprintf(shell_, "BEGIN EXCLUSIVE;\nSELECT count(*) FROM sqlite_master;\n.shell touch '%s'\n", signal.c_str());
        std::fflush(shell_);
        for (int i = 0; i < 1000 && !std::filesystem::exists(signal); ++i)  // at most 10 s
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        locked_ = std::filesystem::exists(signal);
    }
    ~LockingProcess() { release(); }
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
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = "SQLite3";
        h.sys.env.folders[kSystemFolder] = folder_.host;
        std::filesystem::create_directories(localPath(folder_.host));
        core::MakeSettingsDatabase("SQLite3", host("pso.dat"));
        core::MakeIgnoreDatabase("SQLite3", host("pro.dat"));
        for (const char* name : {"pso.dat", "pro.dat"}) h.sys.files.addFile(systemFile(name), 4096);
        h.sys.files.setDrive('C', platform::DriveType::Fixed);
    }
    // The host's path of a database file, and the path this process opens it by.
    std::string host(const std::string& name) const { return folder_.host + "/" + name; }
    std::string local(const std::string& name) const { return localPath(host(name)); }
    static std::string systemFile(const std::string& name) { return std::string(kSystemFolder) + "\\" + name; }
    void overwrite(const std::string& name, const std::string& bytes) {
        std::ofstream(local(name), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::string bytes(const std::string& name) {
        std::ifstream in(local(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The program's start with the small alert stored as the user's choice,
    // up to the moment the tray form's poll watches the drives.
    void start() {
        ASSERT_TRUE(core::EnsureConfDb());
        core::AddMarker("conf_Info_clctd", "clctd_4m_ini");
        core::SaveConf("zxxis", "wpop", core::EncodeValue("Pop", core::kCipherKey));
        core::StartProgram();
        h.clock.advance(2100);
        h.ui.dialogs.clear();
    }
    // A file of the stick, remembered so that the end of a case can prove it is still there.
    void stickFile(const std::string& path, std::uint64_t size = 1000, std::uint32_t attributes = platform::AttrArchive) {
        h.sys.files.addFile(path, size, attributes);
        stickFiles_.push_back(path);
    }
    // The stick goes in and the poll's next tick finds it and scans it.
    void plug() {
        h.sys.files.setDrive('E', platform::DriveType::Removable);
        h.clock.advance(1000);
    }
    core::Frm0& f() { return core::frm0(); }
    rt::Grid& grid() { return f().grid("MsfInfectd"); }
    Texts rowPaths() {
        Texts paths;
        for (int r = 1; r < grid().rows(); ++r) paths.push_back(grid().textMatrix(r, 1));
        return paths;
    }
    std::string status() { return f().c("lblCncMsg").caption(); }
    Texts messages() { return h.ui.prompts(); }
    // The user clicks a row's cell (3 Ignore, 4 Delete) and the button over it.
    void press(int row, int col) {
        grid().setMouseCell(row, col);
        grid().clickCell(row, col);
        f().c(col == 3 ? "cmdIgn" : "cmdDel").click();
    }
    // The scan's end as the user reads it: the total on the status line.
    void expectTotal(int risky) {
        EXPECT_EQ(status(), "Risky Objects found: " + std::to_string(risky));
        EXPECT_EQ(f().c("lblInfected").caption(), std::to_string(risky));
    }
    // No file went without a confirmed delete, and every file of the stick is still there.
    void expectNothingDeleted() {
        for (const std::string& call : h.sys.files.calls)
            EXPECT_TRUE(call.rfind("remove ", 0) && call.rfind("resetAttributes ", 0)) << call;
        for (const std::string& file : stickFiles_) EXPECT_TRUE(h.sys.files.exists(file)) << file;
    }

    struct Folder {  // of the databases; removed after the program has closed them
        std::string host = "/tmp/tavlo-hostile-" + std::to_string(std::random_device{}());
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(localPath(host), ec);
        }
    } folder_;
    platform::fake::HeadlessApp h;

private:
    Texts stickFiles_;
};

}  // namespace tavlo::hostile
