#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// Every module setting block after the identity, in the order "Read All" reads them: DCC,
// serial addressing, LED, hardware, serial port. Stops at the first failure.
bool ReadModuleSettings(Session& session);
// In the order "Write All" writes them: DCC, LED, hardware, serial port, and serial
// addressing last (it may change how the controller is addressed). Nothing is sent when any
// block holds a value the wire cannot carry.
bool WriteModuleSettings(Session& session);

// "" when every block can be sent as it stands, else the first value the wire cannot carry.
std::string ModuleSettingsProblem(const Session& session);

// The start values of the window for the module settings: flex start block and module
// eXtended address 0, the serial port's baud rate at its first entry, the flex warning on.
void SetModuleStartValues(Session& session);

} // namespace vexa
