// An ignore list far longer than 32,767 entries (the database holds them
// all): every row of the ignore-list window acts on its own entry; the
// window's Remove button after Yes takes exactly the entry of the row.
#include <gtest/gtest.h>

#include "hostile/HostileStick.h"
#include "platform/Odbc.h"
#include "scanner/FrmIgnrLst.h"

namespace tavlo::hostile {
namespace {

constexpr int kEntries = 70000;

struct LongIgnoreList : HostileStickTest {
    LongIgnoreList() {
        platform::odbc::Connection db;
        db.open(std::string("DRIVER={") + testing::kDriver + "};Database=" + folder.hostFile("pro.dat") + ";");
        db.execute("BEGIN");
        for (int i = 1; i <= kEntries; ++i)
            platform::odbc::Statement(db, "INSERT INTO [ign] ([pat]) VALUES (?)").bind(path(i)).execute();
        db.execute("COMMIT");
    }
    static std::string path(int i) { return "E:\\entry" + std::to_string(i) + ".exe"; }
    scanner::FrmIgnrLst& w() { return scanner::frmIgnrLst(); }
    rt::Grid& list() { return w().grid("MsfInfectd"); }
};

TEST_F(LongIgnoreList, RemoveTakesTheEntryOfTheClickedRowFarDownTheList) {
    w().show();
    h.clock.advance(10);
    ASSERT_EQ(list().rows(), kEntries + 1);
    for (int row : {40000, 69999}) {
        SCOPED_TRACE(row);
        const std::string entry = list().textMatrix(row, 1);
        list().setMouseCell(row, 2);
        list().clickCell(row, 2);
        h.ui.answers = {rt::Yes};
        w().c("cmdDel").click();
        EXPECT_EQ(list().textMatrix(row, 2), "[Removed]");
        EXPECT_FALSE(core::IgnoreListHas(entry)) << entry;
    }
    EXPECT_EQ(core::IgnoreListRows().size(), static_cast<std::size_t>(kEntries - 2));
}

}  // namespace
}  // namespace tavlo::hostile
