#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// transparent-mode: "Activate Transparent Mode" on the Corvan interface; not with --tunnel.
inline constexpr const char* TransparentModeCommand = "transparent-mode";
bool RunTransparentMode(CliContext& context, const std::string& argument);

// monitor SECONDS: polls the controller every 100 ms for that long and prints each reported
// message as its monitor line.
bool RunMonitor(CliContext& context, const std::string& seconds);

} // namespace vexa::cli
