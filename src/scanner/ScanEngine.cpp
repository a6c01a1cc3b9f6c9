#include "scanner/ScanEngine.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <utility>
#include <vector>

#include "core/Frm0.h"
#include "core/Globals.h"
#include "runtime/ErrorReport.h"

namespace tavlo::scanner {

namespace {

using platform::DirEntry;

// Compares ASCII letters without case; every other byte (UTF-8 included)
// must match exactly: in the "C" locale, which the program keeps, tolower
// changes only the letters A to Z.
bool equalsNoCase(std::string_view a, std::string_view b) {
    auto same = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The folder's path as the walk shows it: no trailing "\" except on a root ("E:\").
std::string folderPath(std::string path) {
    while (path.size() > 1 && isSeparator(path.back()) && !(path.size() == 3 && path[1] == ':')) {
        path.pop_back();
    }
    return path;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && isSeparator(folder.back())) return folder + name;
    return folder + '\\' + name;
}

// The drive letter of a path such as "E:\x", or 0.
char driveLetterOf(const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return 0;
    const char c = static_cast<char>(path[0] & ~0x20);
    return c >= 'A' && c <= 'Z' ? c : 0;
}

// One folder whose files have been examined: the subfolders still to visit.
struct Frame {
    std::vector<std::string> subfolders;
    std::size_t next = 0;
    rt::ErrorReport report;  // the subfolder stage's error report
};

// One walk from a starting folder, depth first, with an explicit stack so
// that no depth of nesting can exhaust the program's own stack. It keeps the
// order of a recursive walk: a folder's own files, then each subfolder in
// turn with everything below it.
class Walk {
public:
    explicit Walk(rt::Form& window) : window_(window), g_(core::globals()), files_(rt::app().sys().files) {}
    void run(const std::string& start);

private:
    std::optional<Frame> enter(const std::string& path);
    bool examineFiles(const std::string& folder, const std::vector<const DirEntry*>& files);
    bool afterSubfolder(Frame& frame);
    void appendRow(const std::string& path, const std::string& rating);
    void appendAbortRow();
    void countExamined();
    void reportScanError(const std::string& path);

    rt::Form& window_;
    core::Globals& g_;
    platform::FileSystem& files_;
    bool driveGone_ = false;
};

void Walk::run(const std::string& start) {
    std::vector<Frame> stack;
    if (auto root = enter(start)) stack.push_back(std::move(*root));
    bool childReturned = false;
    while (!stack.empty() && !driveGone_) {
        Frame& frame = stack.back();
        if (childReturned) {
            childReturned = false;
            if (!afterSubfolder(frame)) {
                stack.pop_back();
                childReturned = true;
                continue;
            }
        }
        if (frame.next == frame.subfolders.size() || !g_.ScanInProgress) {
            stack.pop_back();
            childReturned = true;
            continue;
        }
        const std::string sub = frame.subfolders[frame.next++];
        std::optional<Frame> child;
        if (!frame.report.step([&] { child = enter(sub); })) {
            stack.pop_back();
        } else if (child) {
            stack.push_back(std::move(*child));
            continue;
        }
        childReturned = true;
    }
}

// Lists the folder and examines its files. Returns the folder's subfolders
// when the walk goes on into them, nothing when this folder's call is over.
std::optional<Frame> Walk::enter(const std::string& path) {
    const std::string folder = folderPath(path);
    auto listing = folder.empty() ? std::nullopt : files_.list(folder);
    if (!listing) {
        reportScanError(folder);
        return std::nullopt;
    }
    Frame frame;
    std::vector<const DirEntry*> fileEntries;
    for (const DirEntry& e : *listing) {
        if (!e.isFolder()) {
            fileEntries.push_back(&e);
        } else if (!e.isLink()) {  // a junction or link may lead back up the tree
            frame.subfolders.push_back(joinPath(folder, e.name));
        }
    }
    try {
        if (!examineFiles(folder, fileEntries)) return std::nullopt;
    } catch (const rt::Error&) {
        reportScanError(folder);
        return std::nullopt;
    }
    return frame;
}

// Returns false when the folder's call ends here (abort, or the scan stopped).
bool Walk::examineFiles(const std::string& folder, const std::vector<const DirEntry*>& fileEntries) {
    for (const DirEntry* e : fileEntries) {
        if (g_.AbortScanRequested) {
            appendAbortRow();
            return false;
        }
        if (e->size > kLargestExaminedFile) continue;
        const std::string rating = RiskyLevel(e->name, GetExtensionName(e->name), e->size);
        if (!rating.empty()) {
            appendRow(joinPath(folder, e->name), rating);
            ++g_.RiskyObjectCount;
        }
        rt::app().doEvents();
        if (!g_.ScanInProgress) return false;
        countExamined();
    }
    return true;
}

// After a subfolder's walk: stop on an abort request, else yield and go on.
bool Walk::afterSubfolder(Frame& frame) {
    if (g_.AbortScanRequested) {
        frame.report.step([] { rt::app().doEvents(); });
        return false;
    }
    return frame.report.step([] { rt::app().doEvents(); });
}

// The cells go in the order 2, 3, 4, 5, 1, so that a later reader of column
// 1 finds the row complete.
void Walk::appendRow(const std::string& path, const std::string& rating) {
    rt::Grid& grid = window_.grid("MsfInfectd");
    const int r = grid.rows();
    grid.setRows(r + 1);
    grid.setTextMatrix(r, ColRating, rating);
    grid.setTextMatrix(r, ColIgnore, kIgnoreCell);
    grid.setTextMatrix(r, ColDelete, kDeleteCell);
    grid.setTextMatrix(r, ColKey, path);
    grid.setTextMatrix(r, ColObject, path);
}

void Walk::appendAbortRow() {
    rt::Grid& grid = window_.grid("MsfInfectd");
    const int r = grid.rows();
    grid.setRows(r + 1);
    grid.setTextMatrix(r, ColObject, kAbortRow);
    grid.setTextMatrix(r, ColKey, kAbortRow);
}

// lblCount holds the number of examined files as decimal text ("" is 0).
void Walk::countExamined() {
    rt::Control& label = window_.c("lblCount");
    const std::string& text = label.caption();
    long long n = 0;
    std::from_chars(text.data(), text.data() + text.size(), n);
    label.setCaption(std::to_string(n + 1));
}

// A folder that cannot be listed: names the highest attached drive letter
// that is no longer a removable drive, refreshes the results, and skips the
// folder. When the folder's own drive has gone, the rest of the walk would
// fail the same way folder after folder, so the walk ends here.
void Walk::reportScanError(const std::string& path) {
    std::string letter;
    for (int i = 0; i < core::kDriveLetters; ++i) {
        const std::string drive{static_cast<char>(core::kFirstDriveLetter + i), ':'};
        if (g_.DriveAttached[i] && files_.driveType(drive) != platform::DriveType::Removable) letter = drive;
    }
    if (!letter.empty()) {
        rt::app().msgBox("Scanning Error... Maybe the a device at " + letter + " has detached.", rt::Information);
    } else {
        rt::app().msgBox("Scanning Error... ", rt::Information);
    }
    window_.c("txtLastRow").append(".");
    if (const char d = driveLetterOf(path)) {
        const auto type = files_.driveType(std::string{d, ':'});
        driveGone_ = type == platform::DriveType::NoRootDir || type == platform::DriveType::Unknown;
    }
}

}  // namespace

std::string GetFileName(std::string_view path) {
    const auto cut = path.find_last_of("\\/");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string GetExtensionName(std::string_view path) {
    const std::string name = GetFileName(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string{} : name.substr(dot + 1);
}

std::string RiskyLevel(std::string_view name, std::string_view extension, std::uint64_t size) {
    const bool autorun = equalsNoCase(name, "autorun.inf");
    const bool riskyExtension =
        equalsNoCase(extension, "exe") || equalsNoCase(extension, "pif") || equalsNoCase(extension, "com");
    if (!autorun && !riskyExtension) return {};
    for (const VeryRiskyFile& known : VeryRiskyFileTable) {
        if (equalsNoCase(extension, known.extension) && size == known.size) return kVeryRisky;
    }
    return autorun ? kVeryRisky : kRisky;
}

// "E:" names the drive itself and is completed as "E:\" is ("C:" alone would
// be System32 for a program started from the Run key). The system drops
// trailing blanks, so "E: " is the letter alone too.
std::string FolderToScan(platform::FileSystem& files, const std::string& Path) {
    const std::string typed = Path.substr(0, Path.find_last_not_of(' ') + 1);
    if (typed.size() == 2 && driveLetterOf(typed)) return files.fullPath(typed + '\\');
    return files.fullPath(Path);
}

void ScanFolder(const std::string& Path) { ScanFolder(Path, core::frm0()); }

// The starting folder is completed as a typed folder, so that every row
// carries a full path; the names below it are taken as listed.
void ScanFolder(const std::string& Path, rt::Form& window) {
    Walk(window).run(FolderToScan(rt::app().sys().files, Path));
}

}  // namespace tavlo::scanner
