// The main window with its results grid filled as the scan engine fills it,
// for tests of the row actions.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Frm0.h"
#include "platform/fake/HeadlessApp.h"
#include "scanner/FrmIgnrLst.h"
#include "scanner/IgnoreDbFixture.h"
#include "watch/Frm1.h"

namespace tavlo::testsupport {

using Texts = std::vector<std::string>;

struct ResultsTest : ::testing::Test {
    testing::TempFolder folder;  // of the databases; outlives the program
    platform::fake::HeadlessApp h;

    ResultsTest() {
        h.sys.files.setDrive('E', platform::DriveType::Removable);
        core::frm0().show();
        auto& trigger = watch::frm1().c("txtUnldAlrt");
        trigger.onChange = [this, closeAlerts = trigger.onChange] {
            ++closings_;
            if (closeAlerts) closeAlerts();
        };
    }
    core::Frm0& f() { return core::frm0(); }
    rt::Grid& g() { return f().grid("MsfInfectd"); }
    rt::Control& c(const std::string& name) { return f().c(name); }

    // Appends a row in the engine's order of cells; the file exists unless
    // told otherwise.
    int addRow(const std::string& path, std::uint32_t attributes = platform::AttrArchive, bool onDisk = true) {
        if (onDisk) h.sys.files.addFile(path, 1000, attributes);
        g().setRows(g().rows() + 1);
        const int r = g().rows() - 1;
        g().setTextMatrix(r, 2, "Risky");
        g().setTextMatrix(r, 3, "Ignore");
        g().setTextMatrix(r, 4, "Delete");
        g().setTextMatrix(r, 5, path);
        g().setTextMatrix(r, 1, path);
        return r;
    }
    int addAbortRow() {
        g().setRows(g().rows() + 1);
        const int r = g().rows() - 1;
        g().setTextMatrix(r, 1, "Scanning Aborted...");
        g().setTextMatrix(r, 5, "Scanning Aborted...");
        return r;
    }
    // Cells 2, 3 and 4 of a row.
    Texts actions(int row) {
        return {g().textMatrix(row, 2), g().textMatrix(row, 3), g().textMatrix(row, 4)};
    }
    // A click on a cell of the grid, as the user makes it.
    void click(int row, int col = 1) { g().clickCell(row, col); }
    // Clicks a cell of the row and presses the button floated over it.
    void pressIgnore(int row) {
        click(row, 3);
        c("cmdIgn").click();
    }
    void pressDelete(int row) {
        click(row, 4);
        c("cmdDel").click();
    }
    // How often the alerts were asked to close.
    int closings() const { return closings_; }
    bool shown(const std::string& name) { return c(name).visible(); }
    // Runs the refresh as the scan driver triggers it.
    void refresh() { c("txtLastRow").append("."); }

private:
    int closings_ = 0;
};

}  // namespace tavlo::testsupport
