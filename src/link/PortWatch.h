#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// What one look at the system's ports found.
struct PortWatchReport {
    bool listChanged = false; // the port list differs from the one shown
    std::string status;       // a line for the status area; empty when there is nothing to say
    bool portGone = false;    // the chosen port vanished now
    bool portBack = false;    // the lost port is open again
};

// Scans the ports again (never while an operation runs) and follows the chosen port: when it
// vanishes it is closed, said so once, and marked lost; when a lost port is listed again (a USB
// adapter also under another name, found by its serial number) it is opened again by itself.
// The configuration image is never touched.
PortWatchReport WatchPorts(Session& session);

} // namespace vexa
