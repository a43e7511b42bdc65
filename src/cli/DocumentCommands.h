#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// sheet OUT [FILE|DIR]: the configuration sheet (PDF or web page by OUT's ending) of a data
// file, of a layout folder (address map first), or else of the configuration at hand; as the
// first command with --port, of the controller after "Read All".
bool RunSheet(CliContext& context, const std::string& out);
// export-csv OUT [FILE...|DIR]: the pin table of the data files or the layout folder (or of the
// configuration at hand, as for the sheet) as comma-separated values.
bool RunExportCsv(CliContext& context, const std::string& out);
// addresses FILE...|DIR: prints the address map and its conflicts; fails (exit status 1) when
// there is a conflict, with exit status 2 when a file cannot be used.
bool RunAddresses(CliContext& context, const std::string& first);

} // namespace vexa::cli
