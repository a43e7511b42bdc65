#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// read-events: the actions of all pins and the initial enable map, then prints them.
bool RunReadEvents(CliContext& context, const std::string& argument);
// write-events: the actions of all pins, then the initial enable map.
bool RunWriteEvents(CliContext& context, const std::string& argument);
// verify-events: prints the event verification report; fails unless everything compared.
bool RunVerifyEvents(CliContext& context, const std::string& argument);
// set-enable-map ON OFF: four digits each, 1 = the event of input 0..3 is initially enabled.
bool RunSetEnableMap(CliContext& context, const std::string& argument);

// The lines read-events prints: "Pin N ON: a a a a OFF: a a a a" per pin (N as shown, with
// the numbering base), then "Initial enable ON: e e e e OFF: e e e e" (1 = enabled).
std::string EventListing(const Session& session);

} // namespace vexa::cli
