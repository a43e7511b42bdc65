#pragma once

#include "cli/CliCommand.h"

namespace vexa::cli {

// set-aspect N A: pin N (as shown) shows aspect A (0..11).
bool RunSetAspect(CliContext& context, const std::string& pin);
// set-address-aspect S A: the serial address S (0..127, no numbering base) shows aspect A,
// through the controller's address map.
bool RunSetAddressAspect(CliContext& context, const std::string& address);
// servo N POSITION: position -64..63; moves with the pin's dynamics with --dynamic.
bool RunServo(CliContext& context, const std::string& pin);
// pwm N LEVEL: level 0..31; moves with the pin's dynamics with --slow.
bool RunPwm(CliContext& context, const std::string& pin);
// reset, clear-all, lamp-test: Lumo-format module commands to the module address.
bool RunReset(CliContext& context, const std::string& argument);
bool RunClearAll(CliContext& context, const std::string& argument);
bool RunLampTest(CliContext& context, const std::string& argument);

} // namespace vexa::cli
