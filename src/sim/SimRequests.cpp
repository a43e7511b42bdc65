#include "sim/SimRequests.h"

#include "sim/SimLiveOutputs.h"

#include <algorithm>

namespace vexa {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Echo(const Bytes& data) {
    return Bytes(data.begin(), data.begin() + std::min<std::ptrdiff_t>(2, std::ssize(data)));
}

Bytes EchoWith(const Bytes& data, std::initializer_list<std::uint8_t> values) {
    Bytes answer = Echo(data);
    answer.insert(answer.end(), values);
    return answer;
}

Bytes EchoWith(const Bytes& data, const Bytes& values) {
    Bytes answer = Echo(data);
    answer.insert(answer.end(), values.begin(), values.end());
    return answer;
}

// The pin a pin request names, or nullptr when the request is too short or the pin is unknown.
SimPin* PinOf(ControllerMemory& memory, const Bytes& data, std::size_t size) {
    if (data.size() != size || data[1] >= PinCount)
        return nullptr;
    return &memory.pins[data[1]];
}

Bytes ReadSetting(const ControllerMemory& memory, const Bytes& data) {
    if (data.size() != 2 || !SettingValueLength(data[1]))
        return Echo(data);
    return EchoWith(data, memory.settings[data[1]]);
}

void WriteSetting(ControllerMemory& memory, SimLiveState& live, const Bytes& data) {
    if (data.size() < 2)
        return;
    if (IsEraseRequest(data)) {
        EraseConfiguration(memory);
        live.shownAspect.fill(-1);
        return;
    }
    const int setting = data[1];
    if (setting == SettingVersion)
        return; // the firmware version cannot be written
    Bytes values(data.begin() + 2, data.end());
    if (setting == SettingIdString && values.size() > static_cast<std::size_t>(SimIdStringMax))
        values.resize(SimIdStringMax); // the controller keeps the first twelve characters
    if (SettingValuesFit(setting, values.size()))
        memory.settings[static_cast<std::size_t>(setting)] = std::move(values);
}

void WriteTypeBlock(ControllerMemory& memory, const Bytes& data, bool toFlash) {
    if (data.size() < 3 || data[1] >= PinCount)
        return;
    Bytes block(data.begin() + 2, data.end());
    const std::optional<std::size_t> length = TypeBlockLength(block[0]);
    if (!length || *length != block.size())
        return;
    SimPin& pin = memory.pins[data[1]];
    if (toFlash)
        pin.flashBlock = block; // a pin written to flash is set up anew from it
    pin.activeBlock = std::move(block);
}

Bytes ReadTypeBlock(ControllerMemory& memory, const Bytes& data, bool fromFlash) {
    const SimPin* pin = PinOf(memory, data, 2);
    if (!pin)
        return Echo(data);
    return EchoWith(data, fromFlash ? pin->flashBlock : pin->activeBlock);
}

Bytes ReadStep(ControllerMemory& memory, const Bytes& data) {
    const SimPin* pin = PinOf(memory, data, 4);
    const std::optional<int> slot = pin ? StepSlotIndex(pin->aspectLayout, data[2], data[3]) : std::nullopt;
    if (!slot)
        return Echo(data);
    const SimStep& step = pin->steps[static_cast<std::size_t>(*slot)];
    Bytes answer(data.begin(), data.end());
    answer.push_back(step.instruction);
    answer.insert(answer.end(), step.values.begin(), step.values.end());
    return answer;
}

void WriteStep(ControllerMemory& memory, const Bytes& data) {
    SimPin* pin = PinOf(memory, data, 9);
    const std::optional<int> slot = pin ? StepSlotIndex(pin->aspectLayout, data[2], data[3]) : std::nullopt;
    if (!slot)
        return;
    SimStep& step = pin->steps[static_cast<std::size_t>(*slot)];
    step.instruction = data[4];
    std::copy(data.begin() + 5, data.end(), step.values.begin());
}

void WriteLayout(ControllerMemory& memory, const Bytes& data) {
    SimPin* pin = PinOf(memory, data, 3);
    if (pin && (data[2] == LayoutNone || data[2] == LayoutTwelveByThree || data[2] == LayoutFourByNine))
        pin->aspectLayout = data[2];
}

// The bytes after the pin are told apart by their high nibble: 7 is the initial aspect,
// 0..3 the action slot of that event input.
void WriteInitialOrEventOn(ControllerMemory& memory, const Bytes& data) {
    if (data.size() < 3 || data[1] >= PinCount)
        return;
    SimPin& pin = memory.pins[data[1]];
    for (std::size_t i = 2; i < data.size(); ++i) {
        const int kind = data[i] >> 4;
        if (kind == 7)
            pin.initialAspect = data[i];
        else if (kind < EventInputCount)
            pin.eventOn[static_cast<std::size_t>(kind)] = data[i];
    }
}

void WriteEventOff(ControllerMemory& memory, const Bytes& data) {
    if (data.size() < 3 || data[1] >= PinCount)
        return;
    SimPin& pin = memory.pins[data[1]];
    for (std::size_t i = 2; i < data.size(); ++i)
        if ((data[i] >> 4) < EventInputCount)
            pin.eventOff[data[i] >> 4] = data[i];
}

// Address configuration bytes are recognised by value, in whatever order they come.
void WriteAddressConfig(ControllerMemory& memory, const Bytes& data) {
    if (data.size() < 3 || data[1] >= PinCount)
        return;
    SimPin& pin = memory.pins[data[1]];
    for (std::size_t i = 2; i < data.size(); ++i) {
        const std::uint8_t value = data[i];
        if (value < 16)
            pin.addressConfig[0] = value;
        else if (value < 32)
            pin.addressConfig[1] = value;
        else if (value >= 64 && value < 96)
            pin.addressConfig[2] = value;
    }
}

void ShowAspect(ControllerMemory& memory, SimLiveState& live, int pin, int aspect) {
    if (pin < 0 || pin >= PinCount)
        return;
    if (aspect >= AspectsInLayout(memory.pins[static_cast<std::size_t>(pin)].aspectLayout))
        return; // the pin has no such aspect
    live.shownAspect[static_cast<std::size_t>(pin)] = aspect;
    QueueReport(live, {CodeLive, LiveSetPinAspect, static_cast<std::uint8_t>(pin), static_cast<std::uint8_t>(aspect)});
}

// Moves a PWM output or a servo: the live value is byte 1 of the pin's active type block.
void MoveOutput(ControllerMemory& memory, int pin, bool servo, std::uint8_t value) {
    if (pin >= PinCount)
        return;
    Bytes& block = memory.pins[static_cast<std::size_t>(pin)].activeBlock;
    if (block.size() < 2)
        return;
    const bool isServo = block[0] == 1;
    const bool isPwm = block[0] == 2 || block[0] == 3;
    if (servo ? !isServo : !isPwm)
        return;
    block[1] = servo ? value : std::min<std::uint8_t>(value, 31);
}

void Live(ControllerMemory& memory, SimLiveState& live, const Bytes& data) {
    if (data.size() != 4)
        return;
    ServeLiveOutputs(memory, live, data);
    const int target = data[2];
    switch (data[1]) {
    case LiveSetPinAspect:
        ShowAspect(memory, live, target, data[3]);
        break;
    case LiveSetSerialAspect:
        ShowAspect(memory, live, PinOfSerialAddress(memory, target), data[3]);
        break;
    case LivePwmLevel:
    case LivePwmLevelSlow:
        MoveOutput(memory, target, false, data[3]);
        break;
    case LiveServoPosition:
    case LiveServoPositionDynamic:
        MoveOutput(memory, target, true, data[3]);
        break;
    default:
        break;
    }
}

Bytes TakeReport(SimLiveState& live) {
    if (live.reports.empty())
        return {};
    const auto message = live.reports.front();
    live.reports.pop_front();
    return Bytes(message.begin(), message.end());
}

} // namespace

bool IsEraseRequest(const Bytes& data) {
    return data.size() == 2 + EraseConfirmation.size() && data[0] == CodeWriteSetting && data[1] == SettingVersion &&
           std::equal(EraseConfirmation.begin(), EraseConfirmation.end(), data.begin() + 2);
}

std::vector<std::uint8_t> ServeRequest(ControllerMemory& memory, SimLiveState& live, const Bytes& data) {
    if (data.empty())
        return TakeReport(live);
    switch (data[0]) {
    case CodeReadSetting:
        return ReadSetting(memory, data);
    case CodeWriteSetting:
        WriteSetting(memory, live, data);
        break;
    case CodeGetType:
    case CodeReadType:
        return ReadTypeBlock(memory, data, data[0] == CodeReadType);
    case CodeSetType:
    case CodeWriteType:
        WriteTypeBlock(memory, data, data[0] == CodeWriteType);
        break;
    case CodeReadLayout:
        if (const SimPin* pin = PinOf(memory, data, 2))
            return EchoWith(data, {pin->aspectLayout});
        break;
    case CodeReadStep:
        return ReadStep(memory, data);
    case CodeReadInitialAndEventOn:
        if (const SimPin* pin = PinOf(memory, data, 2))
            return EchoWith(data,
                            {pin->initialAspect, pin->eventOn[0], pin->eventOn[1], pin->eventOn[2], pin->eventOn[3]});
        break;
    case CodeReadEventOff:
        if (const SimPin* pin = PinOf(memory, data, 2))
            return EchoWith(data, {pin->eventOff[0], pin->eventOff[1], pin->eventOff[2], pin->eventOff[3]});
        break;
    case CodeReadAddressConfig:
        if (const SimPin* pin = PinOf(memory, data, 2))
            return EchoWith(data, {pin->addressConfig[0], pin->addressConfig[1], pin->addressConfig[2]});
        break;
    case CodeWriteLayout:
        WriteLayout(memory, data);
        break;
    case CodeWriteStep:
        WriteStep(memory, data);
        break;
    case CodeWriteInitialOrEventOn:
        WriteInitialOrEventOn(memory, data);
        break;
    case CodeWriteEventOff:
        WriteEventOff(memory, data);
        break;
    case CodeWriteAddressConfig:
        WriteAddressConfig(memory, data);
        break;
    case CodeLive:
        Live(memory, live, data);
        break;
    default:
        break;
    }
    return Echo(data);
}

} // namespace vexa
