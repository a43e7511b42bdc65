#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// write-changes: "Write Changes": only the setting blocks, pins, event slots and enable map
// that differ from what the controller is known to hold (or are not known to it); says what it
// wrote, or "Nothing to write".
bool RunWriteChanges(CliContext& context, const std::string& argument);
// changes: prints what differs from the controller and what is not known of it.
bool RunChanges(CliContext& context, const std::string& argument);
// diff A B: prints the values in which two data files differ, in the words of the verification
// report, and the values only one of them holds; then "Files compare" when no value differs.
// Fails when they differ; a file that cannot be read or is malformed is named, and the exit
// status is 2.
bool RunDiff(CliContext& context, const std::string& argument);

} // namespace vexa::cli
