// The cells of a results row (ResultRow) as the row actions read and write
// them: column 1 the path, 2 the rating, 3 the ignore cell, 4 the delete
// cell, 5 the full path (hidden).
#pragma once

#include "runtime/Grid.h"

namespace tavlo::scanner::cells {

inline constexpr int kPath = 1;
inline constexpr int kRating = 2;
inline constexpr int kIgnoreCell = 3;
inline constexpr int kDeleteCell = 4;
inline constexpr int kFullPath = 5;

inline constexpr const char* kIgnored = "[Ignored]";
inline constexpr const char* kDelete = "Delete";
inline constexpr const char* kDeleted = "[Deleted]";
inline constexpr const char* kAbortRow = "Scanning Aborted...";

// A row still offers an action while it is not ignored and its delete cell
// reads exactly "Delete".
inline bool IsActionable(const rt::Grid& results, int row) {
    return results.textMatrix(row, kIgnoreCell) != kIgnored && results.textMatrix(row, kDeleteCell) == kDelete;
}

// True when no data row offers an action any more: the USB alerts may close.
inline bool NothingLeftToActOn(const rt::Grid& results) {
    for (int i = 1; i < results.rows(); ++i) {
        if (IsActionable(results, i)) return false;
    }
    return true;
}

}  // namespace tavlo::scanner::cells
