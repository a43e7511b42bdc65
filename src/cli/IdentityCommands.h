#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// version: reads the firmware version and prints it.
bool RunVersion(CliContext& context, const std::string& argument);
// read-id: reads the ID string and prints it.
bool RunReadId(CliContext& context, const std::string& argument);
// write-id TEXT: writes TEXT as the ID string.
bool RunWriteId(CliContext& context, const std::string& text);

} // namespace vexa::cli
