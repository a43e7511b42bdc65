#pragma once

#include "core/Session.h"
#include "events/EventSlots.h"
#include "link/RequestTable.h"

#include <string>

namespace vexa {

// Moving the event actions and the initial enable map between the image and the controller.
// Pins are internal numbers 0..31. Every operation returns false on failure, having shown its
// message (or none where the link has already reported it).

// The Event-On slots are read with the initial aspect (116) and written on their own (100, 6
// bytes); the enable map is module setting 11 (112, 11 answers 112, 11, On mask, Off mask).

inline constexpr const char* EventNotSupportedText = "Function not supported by Device";

// One direction of a pin's events: the requests that carry it and where its slots lie.
struct EventDirection {
    int readCode;
    int writeCode;
    int firstSlot; // data byte of the slot of input 0
    EventActions EventRecord::*actions;
    const char* name; // "Event-On" / "Event-Off"
};
const EventDirection& EventOnDirection();
const EventDirection& EventOffDirection();

// "Write" of the event page: the On, then the Off actions of one pin.
bool WritePinEvents(Session& session, int pin);
// One direction of one pin, as "Write" and "Write All Events" send it.
bool WritePinEventDirection(Session& session, int pin, const EventDirection& direction);
// "Read" of the event page: the On, then the Off actions of one pin. Switches "Bidirectional
// Comm." on; an answer of another layout says "Function not supported by Device".
bool ReadPinEvents(Session& session, int pin);
// The same on the page's selected pin.
bool WriteSelectedPinEvents(Session& session);
bool ReadSelectedPinEvents(Session& session);

// "ECReadAll": the On actions of all 32 pins, then their Off actions. A direction that the
// controller answers with another layout is reported once and skipped; the other is still read,
// and the read fails.
bool ReadAllEvents(Session& session);
// "ECWriteAll": all 32 On writes, then all 32 Off writes. Nothing is sent when an action lies
// outside what a slot carries.
bool WriteAllEvents(Session& session);

// "" when the pin's actions can be sent, else the first that cannot, named with the pin as shown.
std::string PinEventsProblem(const ConfigurationImage& image, int pin, int numberingBase);
// The same over all 32 pins.
std::string EventsProblem(const ConfigurationImage& image, int numberingBase);

inline constexpr const char* EnableMapUnknownText =
    "Initial enable map unknown: the controller's enable map is left as it is";

// The enable map (setting 11): read into the image, or written from it. An unknown map is not
// written: the controller keeps its own, and the write says so.
bool ReadEnableMap(Session& session);
bool WriteEnableMap(Session& session);

// "Copy to All": the given actions to every pin. Nothing is sent.
void CopyActionsToAll(ConfigurationImage& image, const EventActions& on, const EventActions& off);

} // namespace vexa
