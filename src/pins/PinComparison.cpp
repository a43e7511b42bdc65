#include "pins/PinComparison.h"

#include "link/StepEncoding.h"
#include "pins/PinConfigRequests.h"
#include "pins/PinConfigTypes.h"

namespace vexa {

namespace {

constexpr int StepWireBytes = 5;
constexpr int XDccCountBit = 8;
constexpr int LumoCountBits = 7; // the read keeps the serial address count's three low bits
constexpr std::size_t ServoFlagIndex = 2;
constexpr std::size_t PwmOffLevelIndex = 4;

HeldKey PinKey(HeldPart part, int pin) {
    return HeldKey{part, pin};
}

// Byte `index` of the image's type block as a write sends it and the save keeps it: the type,
// then parameters 1..n (those beyond the record read as 0); a servo's flag byte without the bits
// that never go out.
int ExpectedTypeByte(const PinRecord& pin, std::size_t index) {
    if (index == 0)
        return pin.configType;
    if (index > ConfigParamCount)
        return 0;
    const int value = pin.param(static_cast<int>(index));
    return index == ServoFlagIndex && pin.configType == TypeServo ? value & ServoSentFlags : value;
}

StepWire WireOf(const std::vector<int>& held) {
    StepWire wire;
    wire.instruction = held[0];
    for (std::size_t i = 0; i < wire.bytes.size(); ++i)
        wire.bytes[i] = held[i + 1];
    return wire;
}

// The counts an address byte of kind Dcc holds: three bits of basic addresses, one bit of extended.
int HeldDccCount(int value) {
    return value & 7;
}

int HeldXDccCount(int value) {
    return (value & XDccCountBit) != 0 ? 1 : 0;
}

HeldState StateOf(bool same) {
    return same ? HeldState::Same : HeldState::Changed;
}

StepFieldStates StepFields(const AspectStep& image, const std::vector<int>* held) {
    StepFieldStates fields;
    if (!held || held->size() != StepWireBytes)
        return fields;
    // Both as the wire carries them: a value the step does not send is no difference.
    const AspectStep controller = DecodeStep(WireOf(*held));
    const AspectStep sent = DecodeStep(EncodeStep(image));
    fields.instruction = StateOf(controller.instruction == sent.instruction);
    fields.fade = StateOf(controller.fade == sent.fade);
    fields.offset = StateOf(controller.offset == sent.offset);
    fields.params = {StateOf(controller.par1 == sent.par1), StateOf(controller.par2 == sent.par2),
                     StateOf(controller.par3 == sent.par3)};
    return fields;
}

void AddressFields(PinFieldStates& fields, const PinRecord& pin, const std::vector<int>* held) {
    if (!held)
        return;
    for (int value : *held) {
        switch (ClassifyAddressByte(value)) {
        case AddressByteKind::Dcc:
            fields.dccCount = StateOf(HeldDccCount(value) == pin.dccAddressCount);
            fields.xdccCount = StateOf(HeldXDccCount(value) == pin.xdccAddressCount);
            break;
        case AddressByteKind::Serial:
            fields.lumoCount = StateOf((value & LumoCountBits) == pin.lumoAddressCount);
            break;
        case AddressByteKind::DevicePointer:
            fields.devicePointer = StateOf((value & 31) == (pin.deviceReferral & 31));
            break;
        case AddressByteKind::Invalid:
            break;
        }
    }
}

void TypeFields(PinFieldStates& fields, const PinRecord& pin, const std::vector<int>* held) {
    if (!held || held->empty())
        return;
    const std::vector<int> block = TypeBlockAsTaken(*held);
    fields.type = StateOf(block[0] == pin.configType);
    for (int n = 1; n <= ConfigParamCount; ++n) {
        HeldState& state = fields.params[static_cast<std::size_t>(n - 1)];
        const auto index = static_cast<std::size_t>(n);
        if (fields.type == HeldState::Changed)
            state = HeldState::Changed;
        else if (index < block.size())
            state = StateOf(block[index] == ExpectedTypeByte(pin, index));
        else
            state = HeldState::Same; // not part of the block the controller keeps for this type
    }
}

} // namespace

std::vector<int> TypeBlockWireValues(const PinRecord& pin) {
    PinRecord sent = pin; // the request masks a servo's flag byte in the record it is given
    std::vector<int> request = PinConfigWriteRequest(sent, 0, FlashSetting);
    return {request.begin() + 2, request.end()};
}

std::vector<int> StepWireValues(const AspectStep& step) {
    const StepWire wire = EncodeStep(step);
    return {wire.instruction, wire.bytes[0], wire.bytes[1], wire.bytes[2], wire.bytes[3]};
}

std::vector<int> AddressConfigWireValues(const PinRecord& pin) {
    const std::array<int, 3> bytes = EncodeAddressConfig(pin);
    return {bytes.begin(), bytes.end()};
}

void HoldPinParts(ControllerCopy& copy, const PinRecord& pin, int pinNumber) {
    copy.hold(PinKey(HeldPart::TypeBlock, pinNumber), TypeBlockWireValues(pin));
    copy.hold(PinKey(HeldPart::Layout, pinNumber), {pin.aspectLayout});
    for (int aspect = 0; aspect < AspectsInLayout(pin.aspectLayout); ++aspect)
        for (int step = 0; step < StepsInLayout(pin.aspectLayout); ++step)
            copy.hold(
                {HeldPart::Step, pinNumber, aspect, step},
                StepWireValues(pin.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)]));
    copy.hold(PinKey(HeldPart::InitialAspect, pinNumber), {EncodeInitialAspect(pin.initialAspect)});
    copy.hold(PinKey(HeldPart::AddressConfig, pinNumber), AddressConfigWireValues(pin));
}

std::string PinFindingPrefix(int pinNumber, int numberingBase) {
    return "Pin " + std::to_string(pinNumber + numberingBase) + ": ";
}

std::vector<std::string> CompareTypeBlock(const PinRecord& pin, const std::string& prefix, std::vector<int> block) {
    if (block.empty())
        return {prefix + "Pinconfig does not compare"};
    // The bytes that came are compared as the read takes them, up to the first difference; the
    // fifth byte of a short PWM block is not kept by the read, whose default off and on levels
    // are a check of their own, so a pin can get a line from each.
    const bool shortPwm = IsShortPwmBlock(block);
    const std::size_t compared = shortPwm ? std::min(block.size(), PwmOffLevelIndex) : block.size();
    block = TypeBlockAsTaken(std::move(block));
    std::vector<std::string> findings;
    for (std::size_t i = 0; i < compared; ++i)
        if (block[i] != ExpectedTypeByte(pin, i)) {
            findings.push_back(prefix + "Pinconfig does not compare");
            break;
        }
    if (shortPwm && !(pin.param(4) == ShortPwmOffLevel && pin.param(5) == ShortPwmOnLevel))
        findings.push_back(prefix + "Pinconfig does not compare");
    return findings;
}

std::string AspectLayoutFinding(const std::string& prefix) {
    return prefix + "Aspectconfig does not compare";
}

std::string AspectFinding(const std::string& prefix, int aspect) {
    return prefix + "Aspect " + std::to_string(aspect) + " does not compare";
}

bool StepCompares(const AspectStep& step, const std::vector<int>& held) {
    // The controller's step as the read takes it, sent back: bits the read drops are no difference.
    return held.size() == StepWireBytes && EncodeStep(DecodeStep(WireOf(held))) == EncodeStep(step);
}

std::optional<std::string> CompareInitialAspect(const PinRecord& pin, const std::string& prefix, int held) {
    const std::optional<int> initial = DecodeInitialAspect(held);
    if (initial && *initial != pin.initialAspect)
        return prefix + "Init does not compare";
    return std::nullopt;
}

std::vector<std::string> CompareAddressConfig(const PinRecord& pin, const std::string& prefix,
                                              const std::vector<int>& held) {
    std::vector<std::string> findings;
    for (int value : held) {
        if (value <= 15) {
            // Each count on its own: a count the wire cannot carry (a basic count of 9 would
            // read as 8 + 1) is a difference, not another form of the same value.
            if (HeldDccCount(value) != pin.dccAddressCount || HeldXDccCount(value) != pin.xdccAddressCount)
                findings.push_back(prefix + "DCC Address Configuration does not compare");
        } else if (value <= 31) {
            if (pin.lumoAddressCount != (value & LumoCountBits))
                findings.push_back(prefix + "Serial Address Configuration does not compare");
        } else if (value >= 64) {
            if ((pin.deviceReferral & 31) != (value & 31))
                findings.push_back(prefix + "Device Pointer does not compare");
        } else {
            findings.push_back("Pin Address Configuration: Invalid Response " + std::to_string(value / 16));
        }
    }
    return findings;
}

PinComparison ComparePinWithCopy(const PinRecord& pin, int pinNumber, int numberingBase, const ControllerCopy& copy) {
    PinComparison result;
    bool unknown = false;
    const std::string prefix = PinFindingPrefix(pinNumber, numberingBase);
    const auto add = [&result](std::vector<std::string> findings) {
        result.findings.insert(result.findings.end(), findings.begin(), findings.end());
    };

    if (const std::vector<int>* block = copy.find(PinKey(HeldPart::TypeBlock, pinNumber)))
        add(CompareTypeBlock(pin, prefix, *block));
    else
        unknown = true;

    const std::vector<int>* layout = copy.find(PinKey(HeldPart::Layout, pinNumber));
    if (!layout) {
        unknown = true;
    } else if (*layout != std::vector<int>{pin.aspectLayout}) {
        add({AspectLayoutFinding(prefix)});
    } else {
        for (int aspect = 0; aspect < AspectsInLayout(pin.aspectLayout); ++aspect)
            for (int step = 0; step < StepsInLayout(pin.aspectLayout); ++step) {
                const std::vector<int>* held = copy.find({HeldPart::Step, pinNumber, aspect, step});
                if (!held) {
                    unknown = true;
                } else if (!StepCompares(
                               pin.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)],
                               *held)) {
                    add({AspectFinding(prefix, aspect)});
                    break; // one finding per aspect
                }
            }
    }

    const std::vector<int>* initial = copy.find(PinKey(HeldPart::InitialAspect, pinNumber));
    if (!initial || initial->size() != 1)
        unknown = true;
    else if (std::optional<std::string> finding = CompareInitialAspect(pin, prefix, initial->front()))
        add({*finding});

    if (const std::vector<int>* address = copy.find(PinKey(HeldPart::AddressConfig, pinNumber)))
        add(CompareAddressConfig(pin, prefix, *address));
    else
        unknown = true;

    result.state = !result.findings.empty() ? HeldState::Changed : unknown ? HeldState::Unknown : HeldState::Same;
    return result;
}

HeldState PinState(const Session& session, int pin) {
    return ComparePinWithCopy(session.image.pins.at(static_cast<std::size_t>(pin)), pin, session.numberingBase,
                              session.controllerCopy())
        .state;
}

PinFieldStates PinFieldStatesOf(const Session& session, int pin, int aspect) {
    const ControllerCopy& copy = session.controllerCopy();
    const PinRecord& record = session.image.pins.at(static_cast<std::size_t>(pin));
    PinFieldStates fields;
    TypeFields(fields, record, copy.find(PinKey(HeldPart::TypeBlock, pin)));
    if (const std::vector<int>* layout = copy.find(PinKey(HeldPart::Layout, pin)))
        fields.layout = StateOf(*layout == std::vector<int>{record.aspectLayout});
    if (const std::vector<int>* initial = copy.find(PinKey(HeldPart::InitialAspect, pin)); initial && !initial->empty())
        fields.initialAspect = StateOf(DecodeInitialAspect(initial->front()) == record.initialAspect);
    AddressFields(fields, record, copy.find(PinKey(HeldPart::AddressConfig, pin)));
    if (aspect >= 0 && aspect < AspectsInLayout(record.aspectLayout)) {
        for (int step = 0; step < StepsInLayout(record.aspectLayout); ++step) {
            StepFieldStates& state = fields.steps[static_cast<std::size_t>(step)];
            if (fields.layout == HeldState::Changed)
                state = {HeldState::Changed,
                         HeldState::Changed,
                         HeldState::Changed,
                         {HeldState::Changed, HeldState::Changed, HeldState::Changed}};
            else if (fields.layout == HeldState::Same)
                state =
                    StepFields(record.aspects[static_cast<std::size_t>(aspect)].steps[static_cast<std::size_t>(step)],
                               copy.find({HeldPart::Step, pin, aspect, step}));
        }
    }
    return fields;
}

} // namespace vexa
