#include "pins/PinTransfer.h"

#include "core/OperationRunner.h"
#include "core/WriteChecks.h"
#include "files/DeviceHead.h"
#include "link/Exchange.h"
#include "link/StepEncoding.h"
#include "pins/PinConfigRequests.h"
#include "pins/PinRequests.h"
#include "pins/PinWireCheck.h"

#include <string>
#include <vector>

namespace vexa {

namespace {

// Spacing of one-way writes while no answers come back, so that the controller keeps up.
constexpr int OneWayPauseMs = 100;

const char* const NoValidResponse = "No valid response";
const char* const InvalidAddressConfig = "Read Pin Address Configuration: Invalid Response";
const char* const InvalidInitialAspect = "Read Pin Initial Aspect: Invalid Response";

bool IsPin(int pin) {
    return pin >= 0 && pin < PinCount;
}

PinRecord& PinAt(Session& session, int pin) {
    return session.image.pins[static_cast<std::size_t>(pin)];
}

// Sends a write request; while "Bidirectional Comm." is off, pauses before the next one. The
// pause keeps the window alive and ends the operation when the user asks to stop.
bool Tell(Session& session, const std::vector<int>& request) {
    if (!SendVexaMessage(session, false, request))
        return false;
    return session.link.bidirectional || PauseAlive(session, OneWayPauseMs);
}

// Sends 118 for the pin and checks the echo; the answer's three bytes are then at data 2..4.
bool AskAddressConfig(Session& session, int pin) {
    if (!AskController(session, {ReadAddressConfigCode, pin}))
        return false;
    if (!AnswerOf(session.link, {ReadAddressConfigCode, pin})) {
        session.tell(InvalidAddressConfig);
        return false;
    }
    return true;
}

bool ReadStep(Session& session, int pin, int aspect, int step) {
    if (!AskController(session, {ReadStepCode, pin, aspect, step}))
        return false;
    const LinkState& link = session.link;
    if (!AnswerOf(link, {ReadStepCode, pin, aspect, step})) {
        session.tell(NoValidResponse);
        return false;
    }
    PinAt(session, pin).aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)] =
        DecodeStep(AnsweredStepWire(link));
    return true;
}

// Head pin named by the last device-pointer byte of a 118 answer for the pin, or -1.
int HeadFromAnswer(const LinkState& link, int pin) {
    int head = -1;
    for (int i = 2; i <= 4; ++i)
        if (ClassifyAddressByte(link.answerData(i)) == AddressByteKind::DevicePointer)
            head = HeadPinFromPointer(pin, link.answerData(i));
    return head;
}

bool PointsToHead(const LinkState& link, int pin, int head) {
    for (int i = 2; i <= 4; ++i)
        if (ClassifyAddressByte(link.answerData(i)) == AddressByteKind::DevicePointer &&
            HeadPinFromPointer(pin, link.answerData(i)) == head)
            return true;
    return false;
}

// Runs the operation on pins 0..31 in order, showing the stage; stops at the first failure.
bool EveryPin(Session& session, const char* stage, bool (*operation)(Session&, int)) {
    for (int pin = 0; pin < PinCount; ++pin) {
        ReportPinProgress(session, stage, pin);
        if (!operation(session, pin))
            return false;
    }
    return true;
}

// Sends the steps in use of an aspect whose values have been checked.
bool SendAspect(Session& session, int pin, int aspect) {
    const PinRecord& record = PinAt(session, pin);
    const int steps = StepsInLayout(record.aspectLayout);
    for (int step = 0; step < steps; ++step) {
        const StepWire wire =
            EncodeStep(record.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)]);
        if (!Tell(session, {WriteStepCode, pin, aspect, step, wire.instruction, wire.bytes[0], wire.bytes[1],
                            wire.bytes[2], wire.bytes[3]}))
            return false;
    }
    return true;
}

} // namespace

bool ReadPinAspects(Session& session, int pin) {
    if (!IsPin(pin))
        return false;
    session.link.bidirectional = true;
    PinRecord& record = PinAt(session, pin);
    const LinkState& link = session.link;

    if (!AskController(session, {ReadLayoutCode, pin}))
        return false;
    if (!AnswerOf(link, {ReadLayoutCode, pin})) {
        session.tell(NoValidResponse);
        return false;
    }
    record.aspectLayout = static_cast<std::uint8_t>(link.answerData(2));

    const int aspects = AspectsInLayout(record.aspectLayout);
    const int steps = StepsInLayout(record.aspectLayout);
    for (int aspect = 0; aspect < aspects; ++aspect)
        for (int step = 0; step < steps; ++step)
            if (!ReadStep(session, pin, aspect, step))
                return false;

    if (!AskController(session, {ReadInitialAndOnCode, pin}))
        return false;
    std::optional<int> initial;
    if (AnswerOf(link, {ReadInitialAndOnCode, pin}))
        initial = DecodeInitialAspect(link.answerData(2));
    record.initialAspect = static_cast<std::uint8_t>(initial.value_or(0));

    if (!AskAddressConfig(session, pin))
        return false;
    for (int i = 2; i <= 4; ++i)
        if (!ApplyAddressByte(record, pin, link.answerData(i))) {
            session.tell(InvalidAddressConfig);
            return false;
        }
    // An initial aspect that could not be read is "none" in the image, but the pin was not read
    // whole: said, and the read fails.
    if (!initial) {
        session.tell(InvalidInitialAspect);
        return false;
    }
    return true;
}

bool WriteAspect(Session& session, int pin, int aspect) {
    if (!IsPin(pin))
        return false;
    const PinRecord& record = PinAt(session, pin);
    if (RefusedUnsendable(session, AspectStepsProblem(record, pin, aspect, session.numberingBase)))
        return false;
    if (aspect < 0 || aspect >= AspectsInLayout(record.aspectLayout))
        return false; // no aspects in this layout (or not this one): nothing is sent
    return SendAspect(session, pin, aspect);
}

bool WritePinAspects(Session& session, int pin) {
    if (!IsPin(pin))
        return false;
    const PinRecord& record = PinAt(session, pin);
    if (RefusedUnsendable(session, AspectPartProblem(record, pin, session.numberingBase)))
        return false;
    const std::array<int, 3> address = EncodeAddressConfig(record);
    if (!Tell(session, {WriteLayoutCode, pin, record.aspectLayout}) ||
        !Tell(session, {WriteInitialOrOnCode, pin, EncodeInitialAspect(record.initialAspect)}) ||
        !Tell(session, {WriteAddressConfigCode, pin, address[0], address[1], address[2]}))
        return false;
    const int aspects = AspectsInLayout(record.aspectLayout);
    for (int aspect = 0; aspect < aspects; ++aspect)
        if (!SendAspect(session, pin, aspect))
            return false;
    return true;
}

// The type parameters follow the aspect part; a refused or missing answer to them fails the
// read as well, so that a pin is only reported read when all of it was.
bool ReadWholePin(Session& session, int pin) {
    return ReadPinAspects(session, pin) && ReadPinConfig(session, pin);
}

bool WriteWholePin(Session& session, int pin) {
    if (!IsPin(pin) || RefusedUnsendable(session, WholePinProblem(PinAt(session, pin), pin, session.numberingBase)))
        return false;
    return WritePinAspects(session, pin) && WritePinConfig(session, pin);
}

bool ReadDevice(Session& session, int pin) {
    if (!IsPin(pin))
        return false;
    session.link.bidirectional = true;
    if (!AskAddressConfig(session, pin))
        return false;
    const int head = HeadFromAnswer(session.link, pin);
    if (head < 0) {
        session.tell("Cannot read DevicePointer from Pin " + std::to_string(pin + session.numberingBase));
        return false;
    }
    for (int member = 0; member < PinCount; ++member) {
        ReportPinProgress(session, "Reading device", member);
        if (!AskAddressConfig(session, member))
            return false;
        // A pin is read once, however many of its bytes point to the head.
        if (PointsToHead(session.link, member, head) && !ReadWholePin(session, member))
            return false;
    }
    return true;
}

bool WriteDevice(Session& session, int pin) {
    if (!IsPin(pin) || !CheckDeviceHead(session, pin))
        return false;
    const int head = HeadPinOf(session.image, pin);
    if (RefusedUnsendable(session, PinsProblem(session.image, session.numberingBase, head)))
        return false;
    for (int member = 0; member < PinCount; ++member) {
        ReportPinProgress(session, "Writing device", member);
        if (HeadPinOf(session.image, member) == head && !WriteWholePin(session, member))
            return false;
    }
    return true;
}

bool ReadAllPins(Session& session) {
    return EveryPin(session, "Reading pins", ReadWholePin);
}

bool WriteAllPins(Session& session) {
    if (RefusedUnsendable(session, PinsProblem(session.image, session.numberingBase)))
        return false;
    return EveryPin(session, "Writing pins", WriteWholePin);
}

bool ReadCurrentPinAspects(Session& session) {
    return ReadPinAspects(session, session.image.currentPin);
}
bool WriteCurrentPinAspects(Session& session) {
    return WritePinAspects(session, session.image.currentPin);
}
bool ReadCurrentPin(Session& session) {
    return ReadWholePin(session, session.image.currentPin);
}
bool WriteCurrentPin(Session& session) {
    return WriteWholePin(session, session.image.currentPin);
}
bool ReadCurrentDevice(Session& session) {
    return ReadDevice(session, session.image.currentPin);
}
bool WriteCurrentDevice(Session& session) {
    return WriteDevice(session, session.image.currentPin);
}

} // namespace vexa
