#pragma once

#include "core/Clock.h"
#include "core/SerialPort.h"

#include <ostream>
#include <string>
#include <vector>

namespace vexa::cli {

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Runs one vexaconfig-cli command line (arguments without the program name) on one session:
// results go to `out`, messages to `err`. The standard device library is looked for in
// `programFolder`. Returns the exit status.
int RunCli(const std::vector<std::string>& args, PortProvider& ports, Clock& clock, std::ostream& out,
           std::ostream& err, const std::string& programFolder = {});

} // namespace vexa::cli
