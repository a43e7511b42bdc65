#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// Runs a verification on the open port ("Select communications port" and false while it is
// closed) and prints the session's verification report to standard output, one line per line
// with plain line feeds. Returns what the verification returned.
bool VerifyAndPrintReport(CliContext& context, bool (*verify)(Session&));

// Prints a report (UTF-8, lines joined with CR LF) to standard output with plain line feeds,
// ending in one.
void PrintReport(CliContext& context, const std::string& report);

// Text whose lines are joined with CR LF, with plain line feeds for a terminal.
std::string WithLineFeeds(const std::string& report);

} // namespace vexa::cli
