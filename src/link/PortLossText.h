#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// The words for a chosen port whose device went away, in one place: the window and the command
// line, a single read, Read All, the monitor and the layout's backup all say the same.

// What happens next to the lost port: where a port watch follows it (a port the system lists)
// it opens again by itself; a typed path the system never lists must be chosen again. Empty
// without a watch (the command line), where the run ends anyway.
std::string LostPortNextStep(const PortState& port);

// The message for a port that stopped working while it was open (lines joined by CR LF).
std::string PortStoppedText(const PortState& port);

// The status line for a chosen port that was closed when the system stopped listing it.
std::string PortRemovedText(const PortState& port);

} // namespace vexa
