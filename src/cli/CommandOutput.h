#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// Runs an operation of the session and, when it passed, prints the line `doneText`.
bool RunAndSayDone(CliContext& context, bool (*operation)(Session&), const char* doneText);

} // namespace vexa::cli
