#include "layout/LayoutTable.h"

#include "files/ConfigFileFields.h"

#include <algorithm>

namespace vexa {

bool LayoutRow::hasOwnBackup() const {
    return !backupFile.empty() && !idUnread && configfile::FileSafeText(idString) == backupId;
}

void LayoutTable::showFound(const std::vector<LayoutModule>& found) {
    rows_.clear();
    for (const LayoutModule& module : found)
        rows_.push_back(
            LayoutRow{module.address, module.idString, module.version, {}, {}, std::nullopt, !module.idFault.empty()});
}

void LayoutTable::showBackup(const std::vector<ModuleResult>& results) {
    if (results.empty())
        return;
    rows_.clear();
    for (const ModuleResult& result : results)
        rows_.push_back(LayoutRow{
            result.entry.address, result.entry.idString, result.entry.version, {}, {}, std::nullopt, result.idUnread});
}

void LayoutTable::showOutcomes(const std::vector<ModuleResult>& results) {
    for (const ModuleResult& result : results) {
        LayoutRow& row = rowAt(result.entry.address);
        if (row.idString.empty() && row.version.empty()) {
            row.idString = result.entry.idString;
            row.version = result.entry.version;
        }
        row.verification = result.outcome;
    }
}

void LayoutTable::showFolder(const std::vector<LayoutEntry>& entries) {
    for (LayoutRow& row : rows_) {
        const auto listed = std::find_if(entries.begin(), entries.end(),
                                         [&row](const LayoutEntry& entry) { return entry.address == row.address; });
        row.backupFile = listed == entries.end() ? std::string() : listed->fileName;
        row.backupId = listed == entries.end() ? std::string() : listed->idString;
    }
}

LayoutRow& LayoutTable::rowAt(int address) {
    auto found =
        std::find_if(rows_.begin(), rows_.end(), [address](const LayoutRow& row) { return row.address >= address; });
    if (found != rows_.end() && found->address == address)
        return *found;
    return *rows_.insert(found, LayoutRow{address, {}, {}, {}, {}, std::nullopt, false});
}

} // namespace vexa
