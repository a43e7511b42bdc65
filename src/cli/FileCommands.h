#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// load FILE: loads a configuration data file into the image.
bool RunLoadFile(CliContext& context, const std::string& path);
// save FILE: saves the whole configuration to a data file.
bool RunSaveFile(CliContext& context, const std::string& path);
// save-compact FILE: saves only the described pins, aspects and the steps in use.
bool RunSaveCompactFile(CliContext& context, const std::string& path);

} // namespace vexa::cli
