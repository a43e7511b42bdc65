#include "pins/PinConfigRequests.h"

#include "core/WriteChecks.h"
#include "link/Exchange.h"
#include "pins/PinConfigTypes.h"
#include "pins/PinRequests.h"
#include "pins/PinWireCheck.h"

namespace vexa {

namespace {

bool ValidPin(int pin) {
    return pin >= 0 && pin < PinCount;
}

// Stores the type block of a valid answer: byte 0 is the type, byte 1 parameter 1 (or the live
// value for the active setting), byte i parameter i.
void StoreAnswer(PinRecord& record, const LinkState& link, int setting) {
    const int size = link.answerSize();
    const int type = link.answerData(2);
    if (type != record.configType) {
        record.configParams.fill(0);
        if (type == TypeServo) {
            record.liveValue = ServoCentre;
            record.param(1) = ServoCentre;
        }
    }
    const int bytes = size - 2;
    for (int i = 0; i < bytes; ++i) {
        const auto value = static_cast<std::uint8_t>(link.answerData(2 + i));
        if (i == 0)
            record.configType = value;
        else if (i == 1 && setting == ActiveSetting)
            record.liveValue = value;
        else if (i <= ConfigParamCount)
            record.param(i) = value; // a twelfth parameter byte has no place in the record
    }
    if (IsShortPwmBlock(link.answerFrom(2))) {
        record.param(4) = ShortPwmOffLevel;
        record.param(5) = ShortPwmOnLevel;
    }
    if (record.configType == TypeServo)
        record.param(2) = ConvertReadServoFlags(record.param(2));
}

bool ReadConfig(Session& session, int pin, int setting) {
    if (!ValidPin(pin))
        return false;
    session.link.bidirectional = true;
    SendVexaMessage(session, true, {ReadActiveTypeCode + TypeSettingStep * setting, pin});
    const LinkState& link = session.link;
    if (!link.answerValid)
        return false;
    const int code = link.answerData(0);
    if (link.answerSize() < 3 || (code != ReadActiveTypeCode && code != ReadTypeBlockCode) ||
        link.answerData(1) != pin) {
        session.tell("No valid response");
        return false;
    }
    StoreAnswer(session.image.pins[static_cast<std::size_t>(pin)], link, setting);
    return true;
}

bool WriteConfig(Session& session, int pin, int setting) {
    if (!ValidPin(pin) || RefusedUnsendable(session, TypeBlockProblem(session.image.pins[static_cast<std::size_t>(pin)],
                                                                      pin, setting, session.numberingBase)))
        return false;
    const std::vector<int> request =
        PinConfigWriteRequest(session.image.pins[static_cast<std::size_t>(pin)], pin, setting);
    return SendVexaMessage(session, false, request);
}

} // namespace

std::vector<int> PinConfigWriteRequest(PinRecord& record, int pin, int setting) {
    const int code = WriteActiveTypeCode + TypeSettingStep * setting;
    const int value = setting == ActiveSetting ? record.liveValue : record.param(1);
    auto p = [&record](int n) { return static_cast<int>(record.param(n)); };
    switch (record.configType) {
    case TypeServo:
        record.param(2) &= ServoSentFlags;
        return {code, pin, TypeServo, value, p(2), p(3), p(4), p(5), p(6), p(7), p(8), p(9), p(10), p(11)};
    case TypePwm:
    case TypePwm + 1:
        return {code, pin, record.configType, value, p(2), p(3), p(4), p(5)};
    case TypeInput:
    case TypeInput + 1:
        return {code, pin, record.configType, value, p(2), p(3), p(4)};
    default:
        return {code, pin, TypeNone};
    }
}

bool GetPinConfig(Session& session, int pin) {
    return ReadConfig(session, pin, ActiveSetting);
}
bool ReadPinConfig(Session& session, int pin) {
    return ReadConfig(session, pin, FlashSetting);
}
bool SetPinConfig(Session& session, int pin) {
    return WriteConfig(session, pin, ActiveSetting);
}
bool WritePinConfig(Session& session, int pin) {
    return WriteConfig(session, pin, FlashSetting);
}

} // namespace vexa
