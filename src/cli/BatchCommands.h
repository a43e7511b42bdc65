#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// read-all: runs "Read All" into the configuration (save it with a later command).
bool RunReadAll(CliContext& context, const std::string& argument);
// write-all: runs "Write All" from the configuration (load it with an earlier command).
bool RunWriteAll(CliContext& context, const std::string& argument);
// verify-all: runs "Verify All" and prints the verification report; fails unless it ends
// in "Verify OK".
bool RunVerifyAll(CliContext& context, const std::string& argument);

} // namespace vexa::cli
