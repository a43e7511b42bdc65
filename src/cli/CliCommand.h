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
};

struct CliCommand {
    std::string name;
    std::string argument; // name of the argument in the usage text; empty when it takes none
    std::string help;
    std::function<bool(CliContext&, const std::string& argument)> run;
};

// Every command, in the order of the usage text. Each subsystem adds its commands to the
// table in CliCommands.cpp.
const std::vector<CliCommand>& CliCommandTable();

} // namespace vexa::cli
