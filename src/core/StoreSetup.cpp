#include "core/StoreSetup.h"

#include "platform/Odbc.h"

namespace tavlo::core {

namespace {

void makeDatabase(const std::string& driver, const std::string& driverPath, const char* tableSql) {
    platform::odbc::Connection db;
    db.open("DRIVER={" + driver + "};Database=" + driverPath + ";");
    db.execute(tableSql);
}

}  // namespace

void CreateConfTable(platform::odbc::Connection& db) { db.execute(kConfTableSql); }
void CreateIgnTable(platform::odbc::Connection& db) { db.execute(kIgnTableSql); }

void MakeSettingsDatabase(const std::string& driver, const std::string& driverPath) {
    makeDatabase(driver, driverPath, kConfTableSql);
}

void MakeIgnoreDatabase(const std::string& driver, const std::string& driverPath) {
    makeDatabase(driver, driverPath, kIgnTableSql);
}

}  // namespace tavlo::core
