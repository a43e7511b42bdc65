#include "cli/CliRunner.h"

#include "cli/CliOptions.h"
#include "cli/CliPrompter.h"
#include "cli/DeviceCommands.h"
#include "cli/InterruptStop.h"
#include "cli/TerminalProgress.h"
#include "core/Platform.h"
#include "core/Release.h"
#include "core/RetryCount.h"
#include "core/Session.h"
#include "link/Exchange.h"
#include "link/PortSetup.h"
#include "link/TunnelSwitch.h"

#include <fstream>
#include <iostream>

namespace vexa::cli {

namespace {

void ApplyOptions(const CliOptions& options, Session& session) {
    session.numberingBase = options.numberingBase;
    session.port.settings = BitRateSettings[static_cast<std::size_t>(options.bitRateIndex)];
    session.link.bidirectional = !options.oneWay;
    session.link.retryLimit = options.retries;
    // A command stops at its next exchange once the link reported a fault, instead of going on
    // one-way against a controller that does not answer; the command then fails.
    session.link.haltOnFault = true;
    if (options.moduleAddress) {
        // Stored as given (the parser checked it against the tunnel's bound too); like every
        // entry of the address field, it resynchronises the link.
        session.link.moduleAddress = *options.moduleAddress;
        ResetFrameToggle(session);
    }
    if (options.xAddress) {
        session.link.useXAddress = true;
        session.link.xAddress = *options.xAddress;
    }
}

// Runs the commands in order and stops at the first that fails; returns the exit status.
int RunCommands(const CliOptions& options, Session& session, std::ostream& out, const std::string& programFolder,
                TerminalProgress& terminal, OperationRunner& runner) {
    if (!options.port.empty() && !SelectPort(session, options.port))
        return ExitFailure;
    if (options.tunnel &&
        !runner.runNow("Use Corvan Tunneling", [](Session& running) { return SwitchTunnelling(running, true); }))
        return ExitFailure;
    if (!PrepareDeviceCatalogue(options, session, programFolder))
        return ExitFailure;
    CliContext context{.session = session,
                       .out = out,
                       .arguments = {},
                       .commandsBefore = 0,
                       .slow = options.slow,
                       .dynamic = options.dynamic,
                       .baseGiven = options.baseGiven};
    for (const CommandCall& call : options.commands) {
        context.arguments = call.arguments;
        context.commandsBefore = static_cast<std::size_t>(&call - options.commands.data());
        // A fault the link reported (no answer, an invalid one, a port that stopped working)
        // fails the command, even where the window's operation goes on one-way after it.
        session.link.faultReported = false;
        session.link.retriesTaken = 0; // each command's report counts its own
        context.retriesTold = false;
        const bool done = runner.runNow(call.command->name, [&context, &call](Session& running) {
            return call.command->run(context, call.argument) && !running.link.faultReported;
        });
        terminal.clear();
        out.flush();
        if (!done)
            return context.failureStatus;
        // A command that prints no report of its own (or prints data) still says what the
        // noisy line cost it, beside its output rather than in it.
        if (session.link.retriesTaken > 0 && !context.retriesTold)
            session.tell(call.command->name + " done" + RetriesSuffix(session.link.retriesTaken));
    }
    return ExitSuccess;
}

bool WriteTrace(const std::string& fileName, const std::string& text, std::ostream& err) {
    std::ofstream file(PathFromUtf8(fileName), std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        err << "The link trace could not be written to " << fileName << '\n';
        return false;
    }
    return true;
}

} // namespace

bool CommandLineRunner::runNow(const std::string& title, const Operation& operation) {
    (void)title; // the terminal shows the stages the operation reports
    return RunGuarded(session_, *this, operation);
}

void CommandLineRunner::queueCommand(const std::string& word) {
    session_.tell("The command word " + word + " is only run by the window");
}

bool CommandLineRunner::stopRequested() {
    return stopAsked_ || InterruptRequested();
}

int RunCli(const std::vector<std::string>& args, PortProvider& ports, Clock& clock, std::ostream& out,
           std::ostream& err, const std::string& programFolder) {
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
    if (options.version) {
        out << VersionLine << '\n';
        return ExitSuccess;
    }

    CliPrompter prompter(err, options.answerYes);
    // Progress only on a terminal: a redirected standard error gets the messages alone.
    TerminalProgress terminal(err, &err == &std::cerr && StandardErrorIsTerminal());
    LineClearingPrompter shownPrompter(prompter, terminal);
    Session session(shownPrompter, clock, ports);
    CommandLineRunner runner(session, terminal);
    ApplyOptions(options, session);
    int status = RunCommands(options, session, out, programFolder, terminal, runner);
    if (session.port.isOpen())
        session.port.port->close();
    if (!options.traceFile.empty() && !WriteTrace(options.traceFile, session.trace.text(), err) &&
        status == ExitSuccess)
        status = ExitFailure;
    return status;
}

} // namespace vexa::cli
