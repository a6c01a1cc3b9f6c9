// A stick written by an attacker, met by the whole program without windows:
// started as usual with both databases real (SQLite files in a fresh folder
// behind the fake system folder) and the small alert as the stored choice;
// the stick goes in at E: of the fake drives and the drive poll's tick finds
// it. The cases read what the user sees: rows, status line, message boxes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

// "E:\a\b\c..." nested `depth` folders deep, each name `width` letters long.
inline std::string nestedFolder(int depth, int width = 1) {
    std::string path = "E:";
    for (int i = 0; i < depth; ++i) path += "\\" + std::string(width, static_cast<char>('a' + i % 26));
    return path;
}

// The path by which this process opens a host path.
inline std::string localPath(std::string path) {
#ifdef _WIN32
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;  // where Wine shows the host's files
#endif
    return path;
}

// Another process holding an exclusive lock on a database file: the sqlite3
// shell inside a transaction, for the object's lifetime.
class LockingProcess {
public:
    static bool available() { return std::system("sqlite3 -version >/dev/null 2>&1") == 0; }
    LockingProcess(const std::string& database, const std::string& signal)
        : shell_(popen(("sqlite3 '" + database + "' >/dev/null 2>&1").c_str(), "w")) {
        std::fprintf(shell_, "BEGIN EXCLUSIVE;\nSELECT count(*) FROM sqlite_master;\n.shell touch '%s'\n",
                     signal.c_str());
        std::fflush(shell_);
        for (int i = 0; i < 1000 && !std::filesystem::exists(signal); ++i)  // at most 10 s
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(std::filesystem::exists(signal)) << "the other process holds no lock";
    }
    ~LockingProcess() { pclose(shell_); }  // the shell ends; its transaction rolls back

private:
    FILE* shell_;
};

class HostileStickTest : public ::testing::Test {
protected:
    HostileStickTest() {
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = "SQLite3";
        h.sys.env.folders["C:\\WINDOWS\\system32"] = folder_.host;
        std::filesystem::create_directories(localPath(folder_.host));
        core::MakeSettingsDatabase("SQLite3", host("pso.dat"));
        core::MakeIgnoreDatabase("SQLite3", host("pro.dat"));
        for (const char* name : {"pso.dat", "pro.dat"}) h.sys.files.addFile(systemFile(name), 4096);
        h.sys.files.setDrive('C', platform::DriveType::Fixed);
    }
    std::string host(const std::string& name) const { return folder_.host + "/" + name; }
    static std::string systemFile(const std::string& name) { return "C:\\WINDOWS\\system32\\" + name; }

    // The start, up to the moment the tray form's poll watches the drives.
    void start() {
        ASSERT_TRUE(core::EnsureConfDb());
        core::AddMarker("conf_Info_clctd", "clctd_4m_ini");
        core::SaveConf("zxxis", "wpop", core::EncodeValue("Pop", core::kCipherKey));
        core::StartProgram();
        h.clock.advance(2100);
        h.ui.dialogs.clear();
    }
    // A file of the stick, remembered so that a case can prove it is still there.
    void stickFile(const std::string& path) {
        h.sys.files.addFile(path, 1000);
        stickFiles_.push_back(path);
    }
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
        grid().clickCell(row, col);
        f().c(col == 3 ? "cmdIgn" : "cmdDel").click();
    }
    void expectTotal(int risky) {
        EXPECT_EQ(status() + "|" + f().c("lblInfected").caption(), "Risky Objects found: " + std::to_string(risky) +
                                                                       "|" + std::to_string(risky));
    }
    // The files the program asked the system to delete.
    Texts deletes() {
        Texts paths;
        for (const std::string& call : h.sys.files.calls)
            if (call.rfind("remove ", 0) == 0) paths.push_back(call.substr(7));
        return paths;
    }
    void expectNothingDeleted() {  // nor were any attributes reset
        EXPECT_EQ(deletes(), Texts{});
        for (const std::string& call : h.sys.files.calls) EXPECT_NE(call.rfind("resetAttributes ", 0), 0u) << call;
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
    Texts stickFiles_;
};

}  // namespace tavlo::hostile
