#pragma once

namespace vexa {

class SimLine;

// Serves the simulated controller on the master side of a pseudo-terminal: takes the
// requests the client writes, and writes the answers back when they are due. Waits in
// poll() and returns 0 when stopFd becomes readable, or 1 when the terminal failed.
int ServePseudoTerminal(int master, int stopFd, SimLine& simulator);

} // namespace vexa
