#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// Milliseconds between two polls of the message monitor.
inline constexpr int MonitorPollMs = 100;

// "Monitor": refused with "Select Comm-port" while the port is closed. When the monitor is
// not running yet, "Start Monitoring" is added to the monitor text.
bool StartMonitoring(Session& session, bool running);
// The monitor stops: "Monitoring Stopped" is added to the monitor text.
void StopMonitoring(Session& session);

// One poll: an empty request that awaits nothing. A 4-byte answer becomes a line of the
// monitor text, which is returned; anything else gives empty text.
std::string MonitorPoll(Session& session);

// One tick of a running monitor: one poll, whose line (if any) is added to the monitor text
// and put in `line`. Only the first link fault of the poll is shown. False when the poll
// failed (a fault was reported, the port went away) or the user stopped it: a monitor on a
// failing link ends there instead of showing a message on every tick.
bool MonitorTick(Session& session, std::string& line);

// The line of a valid 4-byte answer ("<12> <0> <5> <100> " CR LF), else empty text.
std::string ReportLine(const LinkState& link);

} // namespace vexa
