#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// The link choices the window keeps between runs: the port (by its system name and, for a USB
// adapter, its serial number, so that the adapter is found on another port name), the bit
// rate, the module address, "Bidirectional Comm.", "Start numbering at 1" and the retries.
struct RememberedLink {
    std::string port; // empty when no port was chosen
    std::string serialNumber;
    std::string settings = "19200,o,8,1";
    int moduleAddress = 0;
    bool bidirectional = true;
    int numberingBase = 1;
    int retries = 0; // times a read is sent again, 0..MaxRetries

    bool operator==(const RememberedLink&) const = default;
};

// What the session has chosen now.
RememberedLink RememberLink(const Session& session);

// Applies remembered choices after the port scan at start. The port is found by its serial
// number where one is kept, else by its name, and opened; a port that is not there stays
// chosen, marked lost (it opens when it is plugged in) and is never replaced by another.
// Returns a line for the status area; empty when there is nothing to say.
std::string RestoreLink(Session& session, const RememberedLink& link);

} // namespace vexa
