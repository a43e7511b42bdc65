#pragma once

#include "layout/LayoutFile.h"
#include "layout/LayoutOperations.h"
#include "layout/LayoutScan.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa {

// One row of the "Layout" window.
struct LayoutRow {
    int address = 0; // stored module address
    std::string idString;
    std::string version;
    std::string backupFile;                    // its data file in the chosen folder's layout, "" when none
    std::string backupId;                      // the ID string the layout lists for it (file-safe)
    std::optional<ModuleOutcome> verification; // of its last verification or restore
    bool idUnread = false;                     // the scan got its version but not its ID string

    // True when the chosen folder's layout holds a backup of this board: one at its address
    // with its ID string (never for a board whose ID string was not read).
    bool hasOwnBackup() const;
};

// What the "Layout" window lists: the controllers of the last scan (or backup), in address
// order, with their data file in the chosen folder and the outcome of their last verification.
class LayoutTable {
public:
    // The controllers found; earlier verification outcomes are forgotten.
    void showFound(const std::vector<LayoutModule>& found);
    // The controllers a backup found (none: the rows stay).
    void showBackup(const std::vector<ModuleResult>& results);
    // The outcomes of a verification or restore; a controller not listed yet gets a row with
    // what the layout file says of it.
    void showOutcomes(const std::vector<ModuleResult>& results);
    // The data files the chosen folder's layout lists, by address (none when it has no layout).
    void showFolder(const std::vector<LayoutEntry>& entries);

    const std::vector<LayoutRow>& rows() const { return rows_; }

private:
    LayoutRow& rowAt(int address);

    std::vector<LayoutRow> rows_;
};

} // namespace vexa
