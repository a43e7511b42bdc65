#pragma once

#include "core/Session.h"

namespace vexa {

// The configuration byte of the controller's serial port: baud index in bits 0..2, 8 data
// bits in bit 3, parity (0 none, 2 even, 3 odd) in bits 4..5, 2 stop bits in bit 6.
int SerialConfigByte(const ModuleSettings& module);
// Sets the fields from an enable byte and a configuration byte. A parity value without an
// option (1) leaves the parity as it was; false then.
bool ApplySerialConfig(ModuleSettings& module, int enable, int config);

// "Read Settings" / "Write Settings" of the "Serial Port" frame (setting 13). The read fails when
// the answer was refused.
bool ReadSerialPortSettings(Session& session);
bool WriteSerialPortSettings(Session& session);

} // namespace vexa
