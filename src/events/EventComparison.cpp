#include "events/EventComparison.h"

namespace vexa {

namespace {

constexpr int EnableMapValues = 2;

} // namespace

HeldPart EventHeldPart(const EventDirection& direction) {
    return direction.writeCode == WriteInitialOrOnCode ? HeldPart::EventOn : HeldPart::EventOff;
}

std::vector<int> EventSlotWireValues(const EventActions& actions) {
    std::vector<int> slots;
    for (int k = 0; k < EventInputCount; ++k)
        slots.push_back(EncodeEventSlot(k, actions[static_cast<std::size_t>(k)]));
    return slots;
}

std::vector<int> EnableMapWireValues(const EnableMap& map) {
    const EnableMasks masks = EnableMasksOf(map);
    return {masks.on, masks.off};
}

std::string EventFindingText(const EventDirection& direction, int input, int pin, int numberingBase, int configured,
                             int reply) {
    return std::string(direction.name) + "(" + std::to_string(input) + ") for pin " +
           std::to_string(pin + numberingBase) +
           " does not compare: Configured Action = " + std::to_string(configured) +
           ", Vexa Reply = " + std::to_string(reply);
}

std::vector<std::string> CompareEventSlots(const EventDirection& direction, int pin, int numberingBase,
                                           const EventActions& configured, const std::vector<int>& held) {
    std::vector<std::string> findings;
    for (int c = 0; c < EventInputCount; ++c) {
        const int expected = configured[static_cast<std::size_t>(c)];
        const int reply = static_cast<std::size_t>(c) < held.size()
                              ? DecodeEventSlot(c, held[static_cast<std::size_t>(c)])
                              : NoEventAction;
        if (reply != expected)
            findings.push_back(EventFindingText(direction, c, pin, numberingBase, expected, reply));
    }
    return findings;
}

std::vector<std::string> CompareEnableMap(const EnableMap& map, const std::vector<int>& held) {
    const std::vector<int> expected = EnableMapWireValues(map);
    const bool sized = held.size() == EnableMapValues;
    // The masks as the read takes them: only the bits of the four inputs.
    const std::vector<int> taken = sized ? EnableMapWireValues(EnableMapOf(held[0], held[1])) : held;
    std::vector<std::string> findings;
    if (!sized || taken[0] != expected[0])
        findings.push_back("ECInit: ON-mask does not compare");
    if (!sized || taken[1] != expected[1])
        findings.push_back("ECInit: OFF-mask does not compare");
    return findings;
}

HeldState EventSlotState(const Session& session, int pin, const EventDirection& direction) {
    const std::vector<int>* held = session.controllerCopy().find({EventHeldPart(direction), pin});
    if (!held)
        return HeldState::Unknown;
    const EventActions& configured = session.image.events.at(static_cast<std::size_t>(pin)).*direction.actions;
    return CompareEventSlots(direction, pin, 0, configured, *held).empty() ? HeldState::Same : HeldState::Changed;
}

HeldState EventPinState(const Session& session, int pin) {
    const HeldState on = EventSlotState(session, pin, EventOnDirection());
    const HeldState off = EventSlotState(session, pin, EventOffDirection());
    if (on == HeldState::Changed || off == HeldState::Changed)
        return HeldState::Changed;
    return on == HeldState::Same && off == HeldState::Same ? HeldState::Same : HeldState::Unknown;
}

HeldState EnableMapState(const Session& session) {
    const std::optional<EnableMap>& map = session.image.enableMap;
    if (!map)
        return HeldState::Same; // nothing to write or compare
    const std::vector<int>* held = session.controllerCopy().find({HeldPart::Setting, EnableMapSetting});
    if (!held)
        return HeldState::Unknown;
    return CompareEnableMap(*map, *held).empty() ? HeldState::Same : HeldState::Changed;
}

} // namespace vexa

namespace vexa {

HeldState EventActionState(const Session& session, int pin, const EventDirection& direction, int input) {
    const std::vector<int>* held = session.controllerCopy().find({EventHeldPart(direction), pin});
    if (!held || static_cast<std::size_t>(input) >= held->size())
        return HeldState::Unknown;
    const int configured =
        (session.image.events.at(static_cast<std::size_t>(pin)).*direction.actions).at(static_cast<std::size_t>(input));
    return DecodeEventSlot(input, (*held)[static_cast<std::size_t>(input)]) == configured ? HeldState::Same
                                                                                          : HeldState::Changed;
}

HeldState EnableMapEntryState(const Session& session, int entry) {
    const std::vector<int>* held = session.controllerCopy().find({HeldPart::Setting, EnableMapSetting});
    const std::optional<EnableMap>& map = session.image.enableMap;
    if (!held || held->size() != EnableMapValues || !map)
        return HeldState::Unknown;
    const EnableMap controller = EnableMapOf((*held)[0], (*held)[1]);
    return controller.at(static_cast<std::size_t>(entry)) == map->at(static_cast<std::size_t>(entry))
               ? HeldState::Same
               : HeldState::Changed;
}

} // namespace vexa
