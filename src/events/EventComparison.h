#pragma once

#include "core/ControllerCopy.h"
#include "core/Session.h"
#include "events/EventTransfer.h"

#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The comparison of the event actions and the initial enable map of an image with what a
// controller holds, shared by the event verification, the comparison of two configurations (its
// words) and the marks of what changed since the controller was last read or written.

// The part of the copy that holds one direction of a pin's actions.
HeldPart EventHeldPart(const EventDirection& direction);

// The four slot bytes of one direction of a pin, as its write sends them.
std::vector<int> EventSlotWireValues(const EventActions& actions);
// The two masks of the enable map, as its write sends them.
std::vector<int> EnableMapWireValues(const EnableMap& map);

// "Event-On(c) for pin N does not compare: Configured Action = a, Vexa Reply = r".
std::string EventFindingText(const EventDirection& direction, int input, int pin, int numberingBase, int configured,
                             int reply);
// One line per input whose action the held slots do not carry, in the words above.
std::vector<std::string> CompareEventSlots(const EventDirection& direction, int pin, int numberingBase,
                                           const EventActions& configured, const std::vector<int>& held);
// "ECInit: ON-mask does not compare" and "ECInit: OFF-mask does not compare" where they differ.
std::vector<std::string> CompareEnableMap(const EnableMap& map, const std::vector<int>& held);

// How one direction of a pin's actions, both directions, and the enable map stand against what
// the connected controller is known to hold. An enable map the image does not know is not
// written: it counts as the same.
HeldState EventSlotState(const Session& session, int pin, const EventDirection& direction);
HeldState EventPinState(const Session& session, int pin);
HeldState EnableMapState(const Session& session);
// The same for one action (event input 0..3 of one direction of a pin) and one entry of the map
// (unknown while the image does not know the map).
HeldState EventActionState(const Session& session, int pin, const EventDirection& direction, int input);
HeldState EnableMapEntryState(const Session& session, int entry);

} // namespace vexa
