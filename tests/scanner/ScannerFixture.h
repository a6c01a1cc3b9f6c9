// The scanner's test program: the main window with its start-up timers still, and fake drives C: and E:.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/CoreFixture.h"
#include "core/Frm0.h"
#include "core/FrmSplash.h"
#include "core/Globals.h"
#include "scanner/FrmIgnrLst.h"
#include "scanner/ScanEngine.h"
#include "watch/Frm1.h"

namespace tavlo::testsupport {

using Texts = std::vector<std::string>;
using platform::DriveType;

struct ScannerTest : testing::StoreTest {
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
    // The controls as the user finds them: each name, marked when hidden or disabled.
    static std::string seen(rt::Form& form, std::initializer_list<const char*> names) {
        std::string all;
        for (const char* name : names) {
            const rt::Control& ctl = form.c(name);
            all += (all.empty() ? "" : " ") + std::string(name) + (ctl.visible() ? "" : "(hidden)") +
                   (ctl.enabled() ? "" : "(off)");
        }
        return all;
    }
    std::string scanPage() {
        return seen(f(), {"mbtnScan", "picPrgrs1", "Image1", "cmdabort", "picPrgrsR", "txtPath1", "MsfInfectd",
                          "cmdIgn", "cmdDel", "cmdDeltAll", "cmdIgnrLst", "picCncMsg"});
    }
    std::string buttons() { return std::string(shown("cmdIgn") ? "Ign" : "") + (shown("cmdDel") ? "Del" : ""); }
    std::string paths() { return c("txtPath1").text() + "|" + c("txtPath2").text(); }
    std::string cell(int row, int col) { return grid().textMatrix(row, col); }
    std::string actions(int row) { return cell(row, 2) + "|" + cell(row, 3) + "|" + cell(row, 4); }
    Texts column(int col) {
        Texts all;
        for (int r = 1; r < grid().rows(); ++r) all.push_back(cell(r, col));
        return all;
    }
    int listings(const std::string& dir) { return int(std::ranges::count(h.sys.files.calls, "list " + dir)); }
    std::size_t closings() { return watch::frm1().c("txtUnldAlrt").text().size(); }
    void plug(const char* letters) {
        for (const char* l = letters; *l; ++l) h.sys.files.setDrive(*l, DriveType::Removable);
        for (const char* l = letters; *l; ++l) g.DriveAttached[*l - 'C'] = rt::True;
    }
    void addFiles(std::initializer_list<const char*> paths) {
        for (const char* p : paths) h.sys.files.addFile(p, 5);
    }
    short scanned(char letter) { return g.DriveScanned[letter - 'C']; }
    void trigger() { c("txtNo1").append("."); }
    void refresh() { c("txtLastRow").append("."); }
    void scan(const std::string& path) {  // as RunScan runs the engine
        g.ScanInProgress = rt::True;
        scanner::ScanFolder(path);
    }
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
    void fill(int rows) {
        for (int i = 0; i < rows; ++i) addRow("E:\\f" + std::to_string(grid().rows()) + ".exe");
    }
    void click(int row, int col = 1) { grid().clickCell(row, col); }
    void pressIgnore(int row) { click(row, 3), c("cmdIgn").click(); }
    void pressDelete(int row) { click(row, 4), c("cmdDel").click(); }

    // The ignore database "pro.dat", made on first use, and its paths.
    void useIgnoreDb() {
        if (!std::exchange(dbMade, true)) makeIgnore(), core::EnsureIgnoreDb();
    }
    void listPath(const std::string& path) { useIgnoreDb(), core::IgnoreListAdd(path); }
    Texts listed() {
        Texts all;
        useIgnoreDb();
        for (auto& row : core::IgnoreListRows()) all.push_back(row.pat);
        return all;
    }
    void breakIgnoreTable() { run("pro.dat", "DROP TABLE [ign]"); }  // under the program's open connection
    bool dbMade = false;

    // The ignore list window, opened as "White List" opens it; its load runs 10 ms later.
    scanner::FrmIgnrLst& w() { return scanner::frmIgnrLst(); }
    rt::Grid& list() { return w().grid("MsfInfectd"); }
    rt::Control& ctl(const std::string& name) { return w().c(name); }
    void open() { w().show(), h.clock.advance(10); }
    std::string shape() {  // fixed rows, column widths, then every cell
        std::string cells;
        for (int r = 0; r < list().rows(); ++r)
            for (int col = 0; col < list().cols(); ++col) cells += "|" + list().textMatrix(r, col);
        for (int col = list().cols() - 1; col >= 0; --col) cells = " " + std::to_string(list().colWidth(col)) + cells;
        return std::to_string(list().fixedRows()) + cells;
    }
    void add(const std::optional<std::string>& typed) { h.ui.inputs.push_back(typed), ctl("cmdAddIt").click(); }
};

using ScanEngine = ScannerTest;
using ScanDriver = ScannerTest;
using Results = ScannerTest;
using IgnoreList = ScannerTest;

}  // namespace tavlo::testsupport
