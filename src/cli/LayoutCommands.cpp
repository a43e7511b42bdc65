#include "cli/LayoutCommands.h"

#include "layout/LayoutOperations.h"
#include "layout/LayoutScan.h"

namespace vexa::cli {

namespace {

using LayoutOperation = bool (*)(Session&, const std::string&, std::vector<ModuleResult>&);

// Runs a layout operation and prints the lines of every controller it came to.
bool RunAndPrint(CliContext& context, LayoutOperation operation, const std::string& folder) {
    std::vector<ModuleResult> results;
    const bool passed = operation(context.session, folder, results);
    for (const ModuleResult& result : results)
        for (const std::string& line : ResultLines(context.session, result))
            context.out << line << '\n';
    return passed;
}

} // namespace

bool RunScan(CliContext& context, const std::string&) {
    std::vector<LayoutModule> found;
    const bool scanned = ScanLayout(context.session, found);
    for (const LayoutModule& module : found)
        context.out << ScanLine(context.session, module) << '\n';
    if (scanned && found.empty())
        context.session.tell("No controller answered at any module address.");
    return scanned && !found.empty();
}

bool RunBackupLayout(CliContext& context, const std::string& folder) {
    return RunAndPrint(context, BackupLayout, folder);
}

bool RunVerifyLayout(CliContext& context, const std::string& folder) {
    return RunAndPrint(context, VerifyLayout, folder);
}

bool RunRestoreLayout(CliContext& context, const std::string& folder) {
    return RunAndPrint(context, RestoreLayout, folder);
}

} // namespace vexa::cli
