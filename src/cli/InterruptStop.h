#pragma once

namespace vexa::cli {

// Ctrl+C (SIGINT) on the command line. Once installed, the first one asks the running command
// to stop: the exchange under way ends, nothing more is sent, the port is closed as usual and
// the command fails. A second Ctrl+C ends the program at once.
void InstallInterruptStop();

// True once Ctrl+C was pressed.
bool InterruptRequested();

} // namespace vexa::cli
