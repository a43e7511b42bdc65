#include "events/EventTransfer.h"

#include "core/OperationRunner.h"
#include "core/WriteChecks.h"
#include "link/Exchange.h"
#include "model/WireRange.h"
#include "pins/PinRequests.h"

#include <vector>

namespace vexa {

namespace {

// Spacing of one-way writes while no answers come back, so that the controller keeps up.
constexpr int OneWayPauseMs = 100;

EventRecord& EventsOf(Session& session, int pin) {
    return session.image.events[static_cast<std::size_t>(pin)];
}

bool IsPin(int pin) {
    return pin >= 0 && pin < PinCount;
}

// Sends one direction's write for a pin; while "Bidirectional Comm." is off, pauses after it.
bool SendDirection(Session& session, const EventDirection& direction, int pin) {
    const EventActions& actions = EventsOf(session, pin).*direction.actions;
    std::vector<int> request{direction.writeCode, pin};
    for (int k = 0; k < EventInputCount; ++k)
        request.push_back(EncodeEventSlot(k, actions[static_cast<std::size_t>(k)]));
    if (!SendVexaMessage(session, false, request))
        return false;
    return session.link.bidirectional || PauseAlive(session, OneWayPauseMs);
}

// The answer to a direction's read has its layout: count, code and pin.
bool AnswerFits(const LinkState& link, const EventDirection& direction, int pin) {
    return AnswerOf(link, {direction.readCode, pin});
}

// Takes the four slots of a fitting answer into the pin's actions of that direction.
void TakeSlots(Session& session, const EventDirection& direction, int pin) {
    EventActions& actions = EventsOf(session, pin).*direction.actions;
    for (int k = 0; k < EventInputCount; ++k)
        actions[static_cast<std::size_t>(k)] =
            static_cast<std::int16_t>(DecodeEventSlot(k, session.link.answerData(direction.firstSlot + k)));
}

// Reads one direction of all 32 pins. False only when an exchange failed; an answer of another
// layout is reported, ends the direction and clears `taken`.
bool ReadDirectionOfAllPins(Session& session, const EventDirection& direction, bool& taken) {
    for (int pin = 0; pin < PinCount; ++pin) {
        ReportPinProgress(session, "Reading events", pin);
        if (!AskController(session, {direction.readCode, pin}))
            return false;
        if (!AnswerFits(session.link, direction, pin)) {
            session.tell(std::string("Read ") + direction.name + ": " + EventNotSupportedText);
            taken = false;
            return true;
        }
        TakeSlots(session, direction, pin);
    }
    return true;
}

bool WriteDirectionOfAllPins(Session& session, const EventDirection& direction) {
    for (int pin = 0; pin < PinCount; ++pin) {
        ReportPinProgress(session, "Writing events", pin);
        if (!SendDirection(session, direction, pin))
            return false;
    }
    return true;
}

} // namespace

// The On answer is 116, pin, the initial-aspect byte, four slots; the Off answer 117, pin, four slots.
const EventDirection& EventOnDirection() {
    static const EventDirection direction{
        .readCode = ReadInitialAndOnCode,
        .writeCode = WriteInitialOrOnCode,
        .firstSlot = 3,
        .actions = &EventRecord::onEvents,
        .name = "Event-On",
    };
    return direction;
}

const EventDirection& EventOffDirection() {
    static const EventDirection direction{
        .readCode = ReadEventOffCode,
        .writeCode = WriteEventOffCode,
        .firstSlot = 2,
        .actions = &EventRecord::offEvents,
        .name = "Event-Off",
    };
    return direction;
}

bool WritePinEventDirection(Session& session, int pin, const EventDirection& direction) {
    return IsPin(pin) && SendDirection(session, direction, pin);
}

std::string PinEventsProblem(const ConfigurationImage& image, int pin, int numberingBase) {
    const EventRecord& record = image.events[static_cast<std::size_t>(pin)];
    for (const EventDirection* direction : {&EventOnDirection(), &EventOffDirection()}) {
        const EventActions& actions = record.*direction->actions;
        for (int k = 0; k < EventInputCount; ++k) {
            const std::string problem =
                WireProblem(std::string(direction->name) + " action of input " + std::to_string(k),
                            actions[static_cast<std::size_t>(k)], EventActionRange);
            if (!problem.empty())
                return "Pin " + std::to_string(pin + numberingBase) + ": " + problem;
        }
    }
    return {};
}

std::string EventsProblem(const ConfigurationImage& image, int numberingBase) {
    for (int pin = 0; pin < PinCount; ++pin) {
        std::string problem = PinEventsProblem(image, pin, numberingBase);
        if (!problem.empty())
            return problem;
    }
    return {};
}

bool WritePinEvents(Session& session, int pin) {
    return IsPin(pin) && !RefusedUnsendable(session, PinEventsProblem(session.image, pin, session.numberingBase)) &&
           SendDirection(session, EventOnDirection(), pin) && SendDirection(session, EventOffDirection(), pin);
}

bool ReadPinEvents(Session& session, int pin) {
    if (!IsPin(pin))
        return false;
    session.link.bidirectional = true;
    session.eventTableShown = true;
    for (const EventDirection* direction : {&EventOnDirection(), &EventOffDirection()}) {
        if (!AskController(session, {direction->readCode, pin}))
            return false;
        if (!AnswerFits(session.link, *direction, pin)) {
            session.tell(EventNotSupportedText);
            return false;
        }
        TakeSlots(session, *direction, pin);
    }
    return true;
}

bool WriteSelectedPinEvents(Session& session) {
    return WritePinEvents(session, session.eventPin);
}

bool ReadSelectedPinEvents(Session& session) {
    return ReadPinEvents(session, session.eventPin);
}

bool ReadAllEvents(Session& session) {
    session.link.bidirectional = true;
    session.eventTableShown = true;
    bool taken = true;
    return ReadDirectionOfAllPins(session, EventOnDirection(), taken) &&
           ReadDirectionOfAllPins(session, EventOffDirection(), taken) && taken;
}

bool WriteAllEvents(Session& session) {
    if (RefusedUnsendable(session, EventsProblem(session.image, session.numberingBase)))
        return false;
    return WriteDirectionOfAllPins(session, EventOnDirection()) &&
           WriteDirectionOfAllPins(session, EventOffDirection());
}

bool ReadEnableMap(Session& session) {
    session.link.bidirectional = true;
    if (!AskController(session, {ReadSettingCode, EnableMapSetting}))
        return false;
    const LinkState& link = session.link;
    if (link.answerSize() != SettingAnswerSize(EnableMapSetting)) {
        session.tell("No valid response size");
        return false;
    }
    if (link.answerData(0) != ReadSettingCode || link.answerData(1) != EnableMapSetting) {
        session.tell("No valid response type");
        return false;
    }
    session.image.enableMap = EnableMapOf(link.answerData(2), link.answerData(3));
    return true;
}

bool WriteEnableMap(Session& session) {
    if (!session.image.enableMap) {
        SayLeftAsItIs(session, EnableMapUnknownText);
        return true;
    }
    const EnableMasks masks = EnableMasksOf(*session.image.enableMap);
    return SendVexaMessage(session, false, {WriteSettingCode, EnableMapSetting, masks.on, masks.off});
}

void CopyActionsToAll(ConfigurationImage& image, const EventActions& on, const EventActions& off) {
    for (EventRecord& record : image.events) {
        record.onEvents = on;
        record.offEvents = off;
    }
}

} // namespace vexa
