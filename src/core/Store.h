// The settings store: the settings database ("pso.dat", table conf) and the
// ignore database ("pro.dat", table ign) in the system folder, each reached
// through one ODBC connection opened on first use and kept for the life of
// the program; the value cipher; and the filter for typed text.
// Keys, paths and values reach the database as bound parameters: any
// character, an apostrophe too, is stored and found as it is.
#pragma once

#include <string>
#include <vector>

namespace tavlo::core {

// The key of the value cipher for every conf value, stored at start-up.
// Like the connections, it belongs to the running program (rt::app()).
inline constexpr const char* kCipherKey = "KRt5m81,VolantesBpZ";
std::string& CipherKey();

// The connection string of a database file of the system folder: the Access
// driver's, or, when TAVLO_ODBC_DRIVER names another driver, that driver's
// with the file's path as the driver must see it.
std::string StoreConnectionString(const std::string& fileName);

// Open the database unless it is open already; on failure OpenConfDb shows
// "Conf Err.....Run Setup Again", OpenIgnoreDb stays silent.
void OpenConfDb();
void OpenIgnoreDb();
bool ConfDbOpen();
bool IgnoreDbOpen();
// The users' convention: check the flag, call the opener, at most twice.
// Returns whether the database is open afterwards (also when the second
// opening succeeded).
bool EnsureConfDb();
bool EnsureIgnoreDb();

// Adds or updates the conf row of Key (group "zxxis"; the first row of the
// key is overwritten, the Group argument is not used). Ends the program when
// the database stays closed; database errors go to the error report.
void SaveConf(const std::string& group, const std::string& key, const std::string& value);
// The stored (enciphered) value of Key, or "" when there is no row.
std::string GetConf(const std::string& group, const std::string& key);
// The same, telling a failed read (its error report answered Abort or
// Ignore: false, value "") from a key without a row (true, value "").
bool ReadConf(const std::string& key, std::string& value);
// The first-run marker row: the value of the first row of the key (false
// when there is none); and adding it with a plain value and no group. Both
// throw rt::Error on a database error (the caller runs them under its error
// report, after making sure the database is open).
bool GetMarker(const std::string& key, std::string& value);
void AddMarker(const std::string& key, const std::string& value);

// The additive byte cipher over the upper-cased key, on the ANSI code page
// (Windows-1252). Texts are UTF-8; characters outside the code page read as
// "?". With an empty key the text comes back unchanged. Texts of any length
// are processed whole.
std::string EncodeValue(const std::string& text, const std::string& key);
std::string DecodeValue(const std::string& text, const std::string& key);

// Trims the caller's text (written back) and returns it without ' " & < > ~.
std::string StripSpecialChars(std::string& text);

// The ignore list, table ign. Each call throws rt::Error on a database error
// or when the database is not open; the caller has made sure it is.
struct IgnoreRow {
    long aut = 0;     // record number given by the database
    std::string pat;  // full path, at most 255 characters
};
bool IgnoreListHas(const std::string& path);
void IgnoreListAdd(const std::string& path);
std::vector<IgnoreRow> IgnoreListRows();
// Removes the row with that record number; false when there is none.
bool IgnoreListRemove(long aut);

}  // namespace tavlo::core
