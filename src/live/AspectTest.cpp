#include "live/AspectTest.h"

#include "link/Exchange.h"
#include "live/LiveRequests.h"
#include "module/AddressOffsets.h"

namespace vexa {

namespace {

constexpr int LumoOutputsPerModule = 32;
constexpr int FlexAddressesPerBlock = 4;
constexpr int LumoPinOperation = 0;
constexpr int LumoSerialOperation = 1;

// The pin's first serial address, or false (with the error message) when it has none.
bool SerialAddressOrReport(Session& session, int pin, int& address) {
    if (session.image.pins.at(static_cast<std::size_t>(pin)).lumoAddressCount == 0) {
        session.prompter.ask(MessageKind::OkError, NoLumoAddressText(pin, session.numberingBase));
        return false;
    }
    address = ComputeAddressOffsets(session.image).serial.at(static_cast<std::size_t>(pin));
    return true;
}

// The pin's first serial address as a data byte of a request, or false (with a message) when
// it has none or it does not fit one: its low 7 bits would name another output.
bool SerialAddressByteOrReport(Session& session, int pin, int& address) {
    if (!SerialAddressOrReport(session, pin, address))
        return false;
    if (address <= DataByteMaximum)
        return true;
    session.prompter.ask(MessageKind::OkError, SerialAddressTooHighText(pin, address, session.numberingBase));
    return false;
}

bool SendLumo(Session& session, int header, int operation, int address, int aspect) {
    SendLumoMessage(session, header, operation, address, aspect);
    return session.port.isOpen();
}

} // namespace

const char* const AspectTestHelpText = "Test = Send Vexa Set Aspect\r\n"
                                       "Shift + Test = Send Legacy Lumo Set Aspect\r\n"
                                       "Control + Test = Send Vexa Set Aspect, use Address Map\r\n"
                                       "Shift + Control + Test = Send Legacy Lumo Set Aspect, use Address Map\r\n"
                                       "Alt + Test = Show this message";

std::string NoLumoAddressText(int pin, int numberingBase) {
    return "You have no Lumo-address(es) assigned to Pin " + std::to_string(pin + numberingBase);
}

std::string SerialAddressTooHighText(int pin, int address, int numberingBase) {
    return "The serial address of Pin " + std::to_string(pin + numberingBase) + " is " + std::to_string(address) +
           ": a message can carry serial addresses from 0 to 127 only";
}

bool TestAspect(Session& session, TestKeys keys) {
    const int pin = session.image.currentPin;
    const int aspect = session.image.currentAspect;
    const ModuleSettings& module = session.image.module;
    const int header = LumoHeader(session.link.moduleAddress);
    int address = 0;
    if (keys.alt) {
        session.tell(AspectTestHelpText);
        return true;
    }
    if (!keys.shift) {
        if (!keys.control)
            return SendLiveRequest(session, LiveOperation::PinAspect, pin, aspect);
        return SerialAddressByteOrReport(session, pin, address) &&
               SendLiveRequest(session, LiveOperation::SerialAspect, address, aspect);
    }
    if (module.lumoFlexAddressing) {
        if (!SerialAddressOrReport(session, pin, address))
            return false;
        const int flexAddress = FlexAddressesPerBlock * module.lumoFlexBlock + address;
        return SendLumo(session, LumoHeader(flexAddress / LumoOutputsPerModule), LumoSerialOperation,
                        flexAddress % LumoOutputsPerModule, aspect);
    }
    if (!keys.control)
        return SendLumo(session, header, LumoPinOperation, pin, aspect);
    return SerialAddressByteOrReport(session, pin, address) &&
           SendLumo(session, header, LumoSerialOperation, address, aspect);
}

} // namespace vexa
