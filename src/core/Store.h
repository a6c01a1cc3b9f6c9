// The settings store: the settings database ("pso.dat", table conf) and the
// ignore database ("pro.dat", table ign) in the system folder, each reached
// through one ODBC connection opened on first use and kept for the life of
// the program; the value cipher; and the filter for typed text.
#pragma once

#include <string>
#include <vector>

namespace tavlo::core {

// The key of the value cipher for every conf value, stored at start-up.
inline constexpr const char* kCipherKey = "KRt5m81,VolantesBpZ";
std::string& CipherKey();

// Open the database unless it is open already; on failure OpenConfDb shows
// "Conf Err.....Run Setup Again", OpenIgnoreDb stays silent.
void OpenConfDb();
void OpenIgnoreDb();
bool ConfDbOpen();
bool IgnoreDbOpen();
// The users' convention: check the flag, call the opener, at most twice.
// Returns whether the database is open afterwards.
bool EnsureConfDb();
bool EnsureIgnoreDb();

// Adds or updates the conf row of Key (group "zxxis"). Ends the program when
// the database stays closed; database errors go to the error report.
void SaveConf(const std::string& group, const std::string& key, const std::string& value);
// The stored (enciphered) value of Key, or "" when there is no row.
std::string GetConf(const std::string& group, const std::string& key);
// The first-run marker row: its value, or nothing when there is no row; and
// adding it with a plain value and no group.
bool GetMarker(const std::string& key, std::string& value);
void AddMarker(const std::string& key, const std::string& value);

// The additive byte cipher over the upper-cased key, on the ANSI code page
// (Windows-1252). Texts are UTF-8; characters outside the code page read as "?".
std::string EncodeValue(const std::string& text, const std::string& key);
std::string DecodeValue(const std::string& text, const std::string& key);

// Trims the caller's text (written back) and returns it without ' " & < > ~.
std::string StripSpecialChars(std::string& text);

// The ignore list, table ign. Each call throws rt::Error on a database error;
// the caller has made sure the database is open.
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
