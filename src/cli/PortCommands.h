#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// ports: lists the ports that can be opened, one per line.
bool RunPorts(CliContext& context, const std::string& argument);

} // namespace vexa::cli
