#include "cli/LayoutCommands.h"

#include "layout/LayoutOperations.h"
#include "layout/LayoutScan.h"

namespace vexa::cli {

namespace {

using LayoutOperation = std::function<bool(Session&, const std::string&, std::vector<ModuleResult>&)>;
using ListedOperation = bool (*)(Session&, const std::string&, const OlderLayoutBase&, std::vector<ModuleResult>&);

// Runs a layout operation and prints the lines of every controller it came to.
bool RunAndPrint(CliContext& context, const LayoutOperation& operation, const std::string& folder) {
    std::vector<ModuleResult> results;
    const bool passed = operation(context.session, folder, results);
    for (const ModuleResult& result : results)
        for (const std::string& line : ResultLines(context.session, result))
            context.out << line << '\n';
    return passed;
}

// An operation on the controllers of layout.txt; an older one (without its numbering base) is
// read with the base --base states, and refused without it.
bool RunOnListed(CliContext& context, ListedOperation operation, const std::string& folder) {
    const OlderLayoutBase olderBase = [&context](const std::string& path) -> std::optional<int> {
        if (context.baseGiven)
            return context.session.numberingBase;
        context.session.prompter.ask(MessageKind::OkError,
                                     "The layout file " + path +
                                         " was written by an earlier version: it lists the modules as they were "
                                         "shown, without the numbering base. Give the base it was made with: --base 1 "
                                         "(numbering started at 1) or --base 0.");
        return std::nullopt;
    };
    return RunAndPrint(
        context,
        [operation, &olderBase](Session& session, const std::string& listed, std::vector<ModuleResult>& results) {
            return operation(session, listed, olderBase, results);
        },
        folder);
}

} // namespace

bool RunScan(CliContext& context, const std::string&) {
    std::vector<LayoutModule> found;
    const bool scanned = ScanLayout(context.session, found);
    bool everyIdRead = true;
    for (const LayoutModule& module : found) {
        context.out << ScanLine(context.session, module) << '\n';
        everyIdRead = everyIdRead && module.idFault.empty();
    }
    if (scanned && found.empty())
        context.session.tell("No controller answered at any module address.");
    return scanned && !found.empty() && everyIdRead;
}

bool RunBackupLayout(CliContext& context, const std::string& folder) {
    return RunAndPrint(context, BackupLayout, folder);
}

bool RunVerifyLayout(CliContext& context, const std::string& folder) {
    return RunOnListed(context, VerifyLayout, folder);
}

bool RunRestoreLayout(CliContext& context, const std::string& folder) {
    return RunOnListed(context, RestoreLayout, folder);
}

} // namespace vexa::cli
