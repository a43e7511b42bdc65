#pragma once

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"

namespace vexa::cli {

// Fills the device catalogue before the commands run: from the --library files (the first
// replaces, the others append) or, when a command lists or loads devices, from the standard
// library in the program's folder. False, with the messages shown, when that fails.
bool PrepareDeviceCatalogue(const CliOptions& options, Session& session, const std::string& programFolder);

// devices: one device name per line, then the caption of the loaded libraries.
bool RunDevices(CliContext& context, const std::string& argument);
// load-device NAME N: the library device NAME into the pins from pin N (as shown) on.
bool RunLoadDevice(CliContext& context, const std::string& name);
// set-device-name N NAME: names the device that pin N belongs to (the name it is saved under).
bool RunSetDeviceName(CliContext& context, const std::string& pin);
// save-device N FILE: the device that pin N belongs to, as a library file of its own; an
// existing FILE is replaced only when the user agrees (--yes).
bool RunSaveDevice(CliContext& context, const std::string& pin);

} // namespace vexa::cli
