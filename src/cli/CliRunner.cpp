#include "cli/CliRunner.h"

#include "cli/CliOptions.h"
#include "cli/CliPrompter.h"
#include "cli/TerminalProgress.h"
#include "core/Session.h"
#include "link/PortSetup.h"

#include <fstream>
#include <iostream>

namespace vexa::cli {

namespace {

void ApplyOptions(const CliOptions& options, Session& session) {
    session.numberingBase = options.numberingBase;
    session.port.settings = BitRateSettings[static_cast<std::size_t>(options.bitRateIndex)];
    session.link.bidirectional = !options.oneWay;
    if (options.moduleAddress)
        session.link.moduleAddress = *options.moduleAddress;
    if (options.xAddress) {
        session.link.useXAddress = true;
        session.link.xAddress = *options.xAddress;
    }
}

bool RunCommands(const CliOptions& options, Session& session, std::ostream& out, TerminalProgress& progress) {
    if (!options.port.empty() && !SelectPort(session, options.port))
        return false;
    CliContext context{session, out, {}};
    for (const CommandCall& call : options.commands) {
        context.arguments = call.arguments;
        Progress* const idle = session.progress;
        session.progress = &progress;
        const bool done = call.command->run(context, call.argument);
        session.progress = idle;
        progress.clear();
        out.flush();
        if (!done)
            return false;
    }
    return true;
}

bool WriteTrace(const std::string& fileName, const std::string& text, std::ostream& err) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        err << "The link trace could not be written to " << fileName << '\n';
        return false;
    }
    return true;
}

} // namespace

int RunCli(const std::vector<std::string>& args, PortProvider& ports, Clock& clock, std::ostream& out,
           std::ostream& err) {
    const std::vector<CliCommand>& table = CliCommandTable();
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(args, table, options, error)) {
        err << "vexaconfig-cli: " << error << "\n\n" << UsageText(table);
        return ExitUsage;
    }
    if (options.help) {
        out << UsageText(table);
        return ExitSuccess;
    }

    CliPrompter prompter(err, options.answerYes);
    // Progress only on a terminal: a redirected standard error gets the messages alone.
    TerminalProgress progress(err, &err == &std::cerr && TerminalProgress::StandardErrorIsTerminal());
    LineClearingPrompter shownPrompter(prompter, progress);
    Session session(shownPrompter, clock, ports);
    ApplyOptions(options, session);
    bool succeeded = RunCommands(options, session, out, progress);
    if (session.port.isOpen())
        session.port.port->close();
    if (!options.traceFile.empty() && !WriteTrace(options.traceFile, session.trace.text(), err))
        succeeded = false;
    return succeeded ? ExitSuccess : ExitFailure;
}

} // namespace vexa::cli
