#pragma once

#include "model/ConfigurationImage.h"

#include <cstdint>

// How pin settings are encoded in the data file and the device library.
namespace vexa::configfile {

// Servo type and the bits of its parameter 2 that are stored (range, auto-suspend, suspended).
inline constexpr std::uint8_t ServoType = 1;
inline constexpr std::uint8_t StoredServoOptionBits = 63;

// Number of configuration parameters a "Cfg" line carries for a type: 11 for a servo, 5 for
// the PWM types 2 and 3, 4 for the input types 4 and 5, none for any other type.
int ConfigParamsInFile(int configType);

// Takes an instruction field apart: 19..63 carry the fade flag in bit 4; any other value is
// the instruction itself and leaves the fade flag as it was.
void SplitInstruction(int field, AspectStep& step);

// Servo option bits in the older encoding (above 15 without bit 3) become (p2 div 16) + 40.
std::uint8_t ConvertOlderServoOptions(std::uint8_t optionBits);

} // namespace vexa::configfile
