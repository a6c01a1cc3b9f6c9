// The fixture of the core tests: a headless program with a real, empty
// settings database.
#pragma once

#include "core/FrmSplash.h"
#include "core/StoreFixture.h"

namespace tavlo::testing {

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

class CoreTest : public StoreTest {
protected:
    CoreTest() { makeConf(); }
    // Holds the settings database locked, as another program writing it does, until released.
    struct Lock {
        platform::odbc::Connection db;
        void release() { db.close(); }
    };
    void lockConf(Lock& lock) {
        open(lock.db, "pso.dat");
        lock.db.execute("BEGIN EXCLUSIVE");
    }
};

}  // namespace tavlo::testing
