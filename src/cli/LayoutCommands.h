#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// scan: prints `Module N: "ID" version` for each controller that answers (N as shown); fails
// when none answers.
bool RunScan(CliContext& context, const std::string& argument);
// backup-layout DIR: every controller found into DIR/module-N.dat, then DIR/layout.txt.
bool RunBackupLayout(CliContext& context, const std::string& folder);
// verify-layout DIR: each controller of DIR/layout.txt against its data file.
bool RunVerifyLayout(CliContext& context, const std::string& folder);
// restore-layout DIR: asks (--yes), then writes and verifies each controller of DIR/layout.txt.
bool RunRestoreLayout(CliContext& context, const std::string& folder);

} // namespace vexa::cli
