// The scan engine: walks a folder tree and appends one
// result row per risky file to the main window's results grid. It reads only
// names, extensions and sizes from the folder listings; it never opens a file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavlo::rt {
class Form;
}
namespace tavlo::platform {
class FileSystem;
}

namespace tavlo::scanner {

// Files larger than this are neither examined nor counted.
inline constexpr std::uint64_t kLargestExaminedFile = 1590000;

// The texts of a result row.
inline constexpr const char* kRisky = "Risky";
inline constexpr const char* kVeryRisky = "Very Risky";
inline constexpr const char* kIgnoreCell = "Ignore";
inline constexpr const char* kDeleteCell = "Delete";
inline constexpr const char* kAbortRow = "Scanning Aborted...";

// Columns of a result row in the grid MsfInfectd.
enum ResultColumn { ColObject = 1, ColRating = 2, ColIgnore = 3, ColDelete = 4, ColKey = 5 };

struct VeryRiskyFile {
    std::string_view extension;
    std::uint64_t size;
};

// Known droppers by (extension, exact size). Some pairs occur twice or three
// times; a match with any of them counts.
inline constexpr std::array<VeryRiskyFile, 15> VeryRiskyFileTable{{
    {"exe", 352256}, {"exe", 240128}, {"exe", 98304},  {"exe", 431295}, {"exe", 1512065},
    {"exe", 817258}, {"exe", 616609}, {"exe", 557056}, {"exe", 352256}, {"com", 114365},
    {"exe", 45509},  {"exe", 111},    {"exe", 111},    {"exe", 111},    {"pif", 171519},
}};

// The name with its extension: the text after the last "\" (or "/").
std::string GetFileName(std::string_view path);
// The extension without its dot, "" when the name has no dot.
std::string GetExtensionName(std::string_view path);

// The rating of a file that is examined: "" when it is not risky, else
// "Risky" or "Very Risky" (RiskyLevel).
std::string RiskyLevel(std::string_view name, std::string_view extension, std::uint64_t size);

// The folder a scan of Path starts from: Path completed to a full path as the
// system completes a typed folder, except that a drive letter typed alone
// ("E:", trailing blanks or not) is the drive's root, where the system would
// take the drive's current folder.
std::string FolderToScan(platform::FileSystem& files, const std::string& Path);

// Scans the folder tree at Path ("E:\" or a chosen folder, with or without a
// trailing "\", completed by FolderToScan), writing rows into the main window
// frm0. The walk stops when
// ScanInProgress goes False or AbortScanRequested goes True during a yield.
void ScanFolder(const std::string& Path);
// The same walk writing into another window that holds the controls
// MsfInfectd (7 columns), lblCount and txtLastRow. Controls are looked up by
// name at each use, so the window may be unloaded and reloaded during a yield.
void ScanFolder(const std::string& Path, rt::Form& window);

}  // namespace tavlo::scanner
