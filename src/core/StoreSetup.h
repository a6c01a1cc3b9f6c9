// Making the two store databases for a driver that creates its database file
// on connecting (the SQLite3 driver): the setup of test machines and of the
// program's own runs here. The Access files of a Windows installation are
// made by its setup, not by this.
#pragma once

#include <string>

namespace tavlo::platform::odbc {
class Connection;
}

namespace tavlo::core {

// The statements that create the tables (scripts/make-databases holds the
// same). Keys and paths compare without regard to letter case, as the Access
// engine compares text; a path holds at most 255 characters.
inline constexpr const char* kConfTableSql =
    "CREATE TABLE IF NOT EXISTS [conf] ([Group] TEXT, [Key] TEXT COLLATE NOCASE, [Value] TEXT)";
inline constexpr const char* kIgnTableSql =
    "CREATE TABLE IF NOT EXISTS [ign] ([aut] INTEGER PRIMARY KEY AUTOINCREMENT, "
    "[pat] TEXT COLLATE NOCASE CHECK (length([pat]) <= 255))";

// Creates the table on an open connection; a table that exists is kept.
void CreateConfTable(platform::odbc::Connection& db);
void CreateIgnTable(platform::odbc::Connection& db);

// Connects with the driver to the database at the driver's path and creates
// its table there (the file is made when missing). Throws rt::Error.
void MakeSettingsDatabase(const std::string& driver, const std::string& driverPath);
void MakeIgnoreDatabase(const std::string& driver, const std::string& driverPath);

}  // namespace tavlo::core
