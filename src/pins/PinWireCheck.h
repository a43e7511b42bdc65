#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// What the wire carries of a pin, checked before anything of it is sent. Each function gives ""
// when the values fit, else what does not ("parameter 1 = 200 cannot be sent (0..127)"). Files
// and the image may hold any value; only a write is refused.

// The fields of a step, as the step rows show them.
enum class StepField { Instruction, Offset, Par1, Par2, Par3 };
std::string StepFieldProblem(const AspectStep& step, StepField field);

// The aspect layout: 0, 2 or 3.
std::string LayoutProblem(const PinRecord& pin);
// The initial aspect as shown (-1 = none): within the aspects of the layout, and within the four
// bits of its byte for a pin without aspects.
std::string InitialAspectProblem(const PinRecord& pin);

// The address counts: three bits for the DCC and serial counts, one bit for the extended one.
enum class AddressCount { Dcc, XDcc, Lumo };
std::string AddressCountProblem(const PinRecord& pin, AddressCount count);
// The device pointer carries the head pin within pins 0..31.
std::string DeviceReferralProblem(const PinRecord& pin, int pinNumber, int numberingBase);

// Parameter n (1..11) of the type block that "Write Pin Config" sends (parameter 1 there, the
// live value in "Set Pin Config").
std::string ConfigParamProblem(const PinRecord& pin, int n);

// Whole writes, named "Pin N: ..." with the pin as shown:
// the aspect part (layout, initial aspect, address configuration, every step in use);
std::string AspectPartProblem(const PinRecord& pin, int pinNumber, int numberingBase);
// the steps in use of one aspect;
std::string AspectStepsProblem(const PinRecord& pin, int pinNumber, int aspect, int numberingBase);
// the type block of "Set Pin Config" (setting 0) or "Write Pin Config" (setting 1);
std::string TypeBlockProblem(const PinRecord& pin, int pinNumber, int setting, int numberingBase);
// the aspect part and the type block kept in flash.
std::string WholePinProblem(const PinRecord& pin, int pinNumber, int numberingBase);
// Every pin of the image in order, or those whose head pin is `head` (head >= 0).
std::string PinsProblem(const ConfigurationImage& image, int numberingBase, int head = -1);

} // namespace vexa
