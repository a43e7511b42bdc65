#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// Runs a verification on the open port ("Select communications port" and false while it is
// closed) and prints the session's verification report to standard output, one line per line
// with plain line feeds. Returns what the verification returned.
bool VerifyAndPrintReport(CliContext& context, bool (*verify)(Session&));

// Text whose lines are joined with CR LF, with plain line feeds for a terminal.
std::string WithLineFeeds(const std::string& report);

} // namespace vexa::cli
