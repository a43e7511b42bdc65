#pragma once

#include "core/SerialPort.h"

#include <string>

namespace vexa {

// The message for a chosen port that could not be opened: the port and the reason and, when
// the system denied access, either the program that holds the port (when one is found) or how
// a user gets access (join the group that owns the device, then log in again), found from the
// device's actual group.
std::string PortOpenFailureText(const std::string& name, const std::string& reason, bool accessDenied,
                                const PortAccess& access, const std::string& holder = {});

} // namespace vexa
