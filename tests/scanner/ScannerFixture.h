// The scanner's test program: the main window shown with its start-up timers
// still, fake drives C: and E:, and on request a real ignore database.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "core/StoreFixture.h"
#include "platform/fake/HeadlessApp.h"
#include "scanner/FrmIgnrLst.h"
#include "watch/Frm1.h"

namespace tavlo::testsupport {

using Texts = std::vector<std::string>;
using platform::DriveType;

struct ScannerTest : ::testing::Test {
    testing::TempFolder folder;
    platform::fake::HeadlessApp h;
    core::Globals& g = core::globals();
    int refreshes = 0;

    ScannerTest() {
        h.sys.files.setDrive('C', DriveType::Fixed);
        h.sys.files.setDrive('E', DriveType::Removable);
        h.sys.files.currentFolder_ = "C:\\Program Files\\Tavlo";
        f().show();
        for (const char* t : {"tmrWrnNrml", "tmrconfig", "tmrDflt"}) f().timer(t).setEnabled(false);
        for (const char* t : {"tmrDcrtn", "tmrconfig", "tmrShw"}) core::frmSplash().timer(t).setEnabled(false);
        c("txtLastRow").onChange = [this, run = c("txtLastRow").onChange] { ++refreshes, run(); };
    }
    core::Frm0& f() { return core::frm0(); }
    rt::Grid& grid() { return f().grid("MsfInfectd"); }
    rt::Control& c(const std::string& name) { return f().c(name); }
    bool shown(const std::string& name) { return c(name).visible(); }
    std::string cell(int row, int col) { return grid().textMatrix(row, col); }
    std::string actions(int row) { return cell(row, 2) + "|" + cell(row, 3) + "|" + cell(row, 4); }
    Texts column(int col) {
        Texts all;
        for (int r = 1; r < grid().rows(); ++r) all.push_back(cell(r, col));
        return all;
    }
    int listings(const std::string& folder) {
        return static_cast<int>(std::count(h.sys.files.calls.begin(), h.sys.files.calls.end(), "list " + folder));
    }
    std::size_t closings() { return watch::frm1().c("txtUnldAlrt").text().size(); }
    // What the poll does for sticks at these letters ("EG").
    void plug(const char* letters) {
        for (const char* l = letters; *l; ++l) h.sys.files.setDrive(*l, DriveType::Removable);
        for (const char* l = letters; *l; ++l) g.DriveAttached[*l - 'C'] = rt::True;
    }
    void addFiles(std::initializer_list<const char*> paths) {
        for (const char* p : paths) h.sys.files.addFile(p, 5);
    }
    short scanned(char letter) { return g.DriveScanned[letter - 'C']; }
    void trigger() { c("txtNo1").append("."); }
    void pressScan() {
        c("mbtnScan.bttn").mouseDown(rt::LeftButton, 0, 30, 30);
        c("mbtnScan.bttn").mouseUp(rt::LeftButton, 0, 30, 30);
    }
    // A row as the engine writes it; its file exists unless told otherwise.
    int addRow(const std::string& path, std::uint32_t attributes = 0, bool onDisk = true,
               const Texts& cells = {"Risky", "Ignore", "Delete"}) {
        if (onDisk) h.sys.files.addFile(path, 1000, attributes);
        const int r = grid().rows();
        grid().setRows(r + 1);
        for (int col = 2; col <= 5; ++col) grid().setTextMatrix(r, col, col < 5 ? cells[col - 2] : path);
        grid().setTextMatrix(r, 1, path);
        return r;
    }
    int addAbortRow() { return addRow("Scanning Aborted...", 0, false, {"", "", ""}); }
    void click(int row, int col = 1) { grid().clickCell(row, col); }
    void pressIgnore(int row) { click(row, 3), c("cmdIgn").click(); }
    void pressDelete(int row) { click(row, 4), c("cmdDel").click(); }

    // The ignore database "pro.dat", made on first use, and its paths.
    void useIgnoreDb() {
        if (std::exchange(dbMade, true)) return;
        testing::useOwnDriverList();
        h.sys.env.variables["TAVLO_ODBC_DRIVER"] = testing::kDriver;
        h.sys.env.folders[testing::kSystemFolder] = folder.host();
        core::MakeIgnoreDatabase(testing::kDriver, folder.hostFile("pro.dat"));
        h.sys.files.addFile(std::string(testing::kSystemFolder) + "\\pro.dat", 4096);
        core::EnsureIgnoreDb();
    }
    void listPath(const std::string& path) { useIgnoreDb(), core::IgnoreListAdd(path); }
    Texts listed() {
        Texts all;
        useIgnoreDb();
        for (auto& row : core::IgnoreListRows()) all.push_back(row.pat);
        return all;
    }
    // Takes the table away under the program's open connection.
    void breakIgnoreTable() {
        platform::odbc::Connection db;
        db.open(std::string("DRIVER={") + testing::kDriver + "};Database=" + folder.hostFile("pro.dat") + ";");
        db.execute("DROP TABLE [ign]");
    }
    bool dbMade = false;
};

}  // namespace tavlo::testsupport
