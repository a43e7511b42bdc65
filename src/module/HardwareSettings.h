#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

constexpr int HardwareGroupCount = 4;

// Driver byte of hardware group k (pins 8k .. 8k+7): sink + 2 x source.
int HardwareByte(const ModuleSettings& module, int group);

// "Read Config" / "Write Config" of the "Hardware Config" frame (setting 1). The read fails when
// the answer was refused.
bool ReadHardwareConfig(Session& session);
bool WriteHardwareConfig(Session& session);

// The caption above the driver columns, by numbering base.
std::string HardwarePinCaption(int numberingBase);

} // namespace vexa
