#include "cli/ChangeCommands.h"

#include "batch/ConfigurationDiff.h"
#include "batch/WriteChanges.h"
#include "cli/VerificationOutput.h"
#include "files/ConfigFileActions.h"

namespace vexa::cli {

namespace {

constexpr int ComparisonTrouble = 2;

} // namespace

bool RunWriteChanges(CliContext& context, const std::string&) {
    ChangedItems items;
    if (!WriteChangesGiving(context.session, items))
        return false;
    if (const std::string written = CountsText(items); !written.empty())
        context.out << "Write Changes done: " << written << '\n';
    return true;
}

bool RunChanges(CliContext& context, const std::string&) {
    context.out << ChangesStatusText(context.session) << '\n';
    return true;
}

bool RunDiff(CliContext& context, const std::string&) {
    const std::vector<std::string>& files = context.arguments;
    ConfigurationImage first;
    ConfigurationImage second;
    std::string problem;
    if (!ReadConfigurationFile(files.at(0), first, problem) || !ReadConfigurationFile(files.at(1), second, problem)) {
        context.session.prompter.ask(MessageKind::OkWarning, problem);
        context.failureStatus = ComparisonTrouble;
        return false;
    }
    const std::vector<std::string> differences = CompareConfigurations(first, second, context.session.numberingBase);
    PrintReport(context, ComparisonReport(differences));
    return differences.empty();
}

} // namespace vexa::cli
