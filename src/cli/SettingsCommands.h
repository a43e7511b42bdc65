#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// The module settings of the General tab: DCC, serial addressing, LED, hardware, serial port.
bool RunReadSettings(CliContext& context, const std::string&);
bool RunWriteSettings(CliContext& context, const std::string&);
bool RunVerifySettings(CliContext& context, const std::string&);
// Erases the configuration memory without asking and waits until the controller answers again.
bool RunEraseFlash(CliContext& context, const std::string&);

} // namespace vexa::cli
