#pragma once

#include "core/Session.h"

namespace vexa {

// Moving pins between the image and the controller. Every operation returns false on failure,
// having shown its own message (or none where the link has already reported the fault).
// Pins are internal numbers 0..31.

// Aspect part of one pin: aspect layout (114), every step in use (115), initial aspect (116)
// and address configuration (118). Switches "Bidirectional Comm." on first.
bool ReadPinAspects(Session& session, int pin);
// Sends 98 (layout), 100 (initial aspect), 102 (address configuration), then every aspect in use.
bool WritePinAspects(Session& session, int pin);
// Sends the steps in use of one aspect (99 each). Fails without sending on a pin without aspects.
bool WriteAspect(Session& session, int pin, int aspect);

// Aspect part plus the type parameters kept in flash (113 / 97).
bool ReadWholePin(Session& session, int pin);
bool WriteWholePin(Session& session, int pin);

// Every pin whose device pointer, as the controller holds it, leads to the head of the pin's device.
bool ReadDevice(Session& session, int pin);
// Every pin of the image whose head pin is that of the given pin. Checks the head first.
bool WriteDevice(Session& session, int pin);

// All 32 pins in order; stops at the first failure.
bool ReadAllPins(Session& session);
bool WriteAllPins(Session& session);

// The operations of the command words, on the image's current pin.
bool ReadCurrentPinAspects(Session& session);  // "PAspReadPin"
bool WriteCurrentPinAspects(Session& session); // "PAspWritePin"
bool ReadCurrentPin(Session& session);         // "ReadPin"
bool WriteCurrentPin(Session& session);        // "WritePin"
bool ReadCurrentDevice(Session& session);      // "ReadDevice"
bool WriteCurrentDevice(Session& session);     // "WriteDevice"

} // namespace vexa
