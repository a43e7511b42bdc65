#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

// The keys held when "Test" was pressed; they choose the message form.
struct TestKeys {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// What Alt + "Test" shows: the five message forms, one a line.
extern const char* const AspectTestHelpText;

// "You have no Lumo-address(es) assigned to Pin " and the pin as shown.
std::string NoLumoAddressText(int pin, int numberingBase);

// The refusal of a serial address that a data byte cannot carry (128 or more).
std::string SerialAddressTooHighText(int pin, int address, int numberingBase);

// Sends the current aspect of the current pin in the form the keys choose:
//   none             Vexa set aspect of the pin
//   Control          Vexa set aspect of the pin's first serial address (the controller's map)
//   Shift            Lumo set aspect of the pin, or of its flex address when flex addressing is on
//   Shift + Control  Lumo set aspect of the pin's serial address (its flex address with flex on)
//   Alt (any other)  shows the help text, sends nothing
// A form that needs a serial address refuses a pin without one, with an error message; the
// forms that carry the serial address in a data byte refuse one of 128 or more the same way.
bool TestAspect(Session& session, TestKeys keys);

} // namespace vexa
