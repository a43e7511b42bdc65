#pragma once

#include "core/SerialPort.h"

#include <string>
#include <vector>

namespace vexa {

// Who may open the device file at `path`: its owning group, and whether the user running
// the tool belongs to it (in the group database, and in this login).
PortAccess DeviceAccess(const std::string& path);

// The folders where programs put the lock files of serial devices (LCK..ttyUSB0).
std::vector<std::string> SerialLockFolders();

// What holds the device at `path`, where the system shows it: the lock file of a running
// process in one of `lockFolders` ("process 4711 (minicom), lock file /run/lock/LCK..ttyUSB0"),
// else a process that has the device open as far as this user may see ("process 4711
// (screen)"). Empty when nothing is found.
std::string PortHolder(const std::string& path, const std::vector<std::string>& lockFolders = SerialLockFolders());

} // namespace vexa
