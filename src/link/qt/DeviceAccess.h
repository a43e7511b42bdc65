#pragma once

#include "core/SerialPort.h"

#include <string>

namespace vexa {

// Who may open the device file at `path`: its owning group, and whether the user running
// the tool belongs to it (in the group database, and in this login).
PortAccess DeviceAccess(const std::string& path);

} // namespace vexa
