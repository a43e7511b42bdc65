#pragma once

#include "core/Session.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vexa::cli {

// What a command of vexaconfig-cli gets: the session, its argument (when it takes one), and
// standard output for results and reports. Messages go through the session's prompter.
struct CliContext {
    Session& session;
    std::ostream& out;
    std::vector<std::string> arguments; // every argument of the command being run, in order
    std::size_t commandsBefore = 0;     // commands of this run before the one being run
    bool slow = false;                  // --slow: PWM levels move with the pin's dynamics
    bool dynamic = false;               // --dynamic: servo positions move with the pin's dynamics
    bool baseGiven = false;             // --base was given: the numbering base is the user's word
    // The exit status when the command fails; a command whose failure is no answer of its own
    // (a comparison that could not be made) sets it to 2.
    int failureStatus = 1;
    // The command's own output counted the link's retries ("Read All done (3 retries)", a
    // verification's line); otherwise the run says them in a line of its own.
    bool retriesTold = false;
};

struct CliCommand {
    std::string name;
    // Names of the arguments in the usage text, separated by blanks ("NAME N" takes two); empty
    // when the command takes none. The first argument is also passed on its own to `run`.
    std::string argument;
    std::string help;
    std::function<bool(CliContext&, const std::string& argument)> run;
};

// Every command, in the order of the usage text. Each subsystem adds its commands to the
// table in CliCommands.cpp.
const std::vector<CliCommand>& CliCommandTable();

} // namespace vexa::cli
