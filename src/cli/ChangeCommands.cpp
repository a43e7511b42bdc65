#include "cli/ChangeCommands.h"

#include "batch/ConfigurationDiff.h"
#include "batch/WriteChanges.h"
#include "cli/VerificationOutput.h"
#include "core/RetryCount.h"
#include "files/ConfigFileActions.h"

#include <array>

namespace vexa::cli {

namespace {

constexpr int ComparisonTrouble = 2;

} // namespace

bool RunWriteChanges(CliContext& context, const std::string&) {
    ChangedItems items;
    if (!WriteChangesGiving(context.session, items))
        return false;
    if (const std::string written = CountsText(items); !written.empty()) {
        context.out << "Write Changes done: " << written << RetriesSuffix(context.session.link.retriesTaken) << '\n';
        context.retriesTold = true;
    }
    return true;
}

bool RunChanges(CliContext& context, const std::string&) {
    context.out << ChangesStatusText(context.session) << '\n';
    return true;
}

bool RunDiff(CliContext& context, const std::string&) {
    const std::vector<std::string>& files = context.arguments;
    std::array<ComparedConfiguration, 2> sides;
    for (std::size_t i = 0; i < sides.size(); ++i) {
        ConfigurationFileContents contents;
        std::string problem;
        if (!ReadConfigurationFile(files.at(i), contents, problem)) {
            context.session.prompter.ask(MessageKind::OkWarning, problem);
            context.failureStatus = ComparisonTrouble;
            return false;
        }
        sides[i] = {files.at(i), std::move(contents.image), contents.pins};
    }
    const std::vector<ComparisonFinding> findings =
        CompareConfigurations(sides[0], sides[1], context.session.numberingBase);
    PrintReport(context, ComparisonReport(findings));
    return ConfigurationsCompare(findings);
}

} // namespace vexa::cli
