#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// Runs an operation of the session and, when it passed, prints the line `doneText`, with the
// count of the link's retries when there were any ("Read All done (3 retries)").
bool RunAndSayDone(CliContext& context, bool (*operation)(Session&), const char* doneText);

} // namespace vexa::cli
