#pragma once

#include "model/ConfigurationImage.h"
#include "pins/StepRules.h"

#include <string>
#include <vector>

namespace vexa {

// A pin's configuration in the words of the pin page, for a description of the pin on paper or
// in a table.

// Its type as the type tabs show it: the tab ("Clear", "Servo", "PWM", "Input") with "Inverted"
// or "Low Active" where checked; an unknown type as the page reports it.
std::string TypeText(const PinRecord& pin);

// Its type parameters in the order of the tab, each "caption: value" as the tab shows it; none
// for "Clear" and unknown types.
std::vector<std::string> TypeParameterTexts(const PinRecord& pin);

// A step as its row shows it: the instruction's name, "(Fade)" when the fade box is checked,
// then each parameter in use as "caption value" and, for the timed instructions, the time label:
// "Set Level (Fade): P.O. 0, Level 31", "Wait: Time 50, Base 0, 00:01.00".
std::string StepText(const AspectStep& step, StepContext context);

// The texts joined with ", ".
std::string JoinTexts(const std::vector<std::string>& texts);

} // namespace vexa
