#include "link/StepEncoding.h"

namespace vexa {

namespace {

constexpr int InitialAspectNibble = 0x70;
constexpr int NoInitialAspect = 0x7F;
constexpr int SerialCountBase = 16;
constexpr int DevicePointerBase = 64;

bool IsSplitInstruction(int instruction) {
    return instruction == SendSerial1Code || instruction == SendSerial2Code;
}

int SevenBits(int value) {
    return value & 127;
}

} // namespace

StepWire EncodeStep(const AspectStep& step) {
    StepWire wire;
    wire.instruction = InstructionWithFade(step);
    if (IsSplitInstruction(step.instruction)) {
        wire.bytes[0] = 2 * (step.par2 / 128) + step.par1 / 128;
        wire.bytes[1] = SevenBits(step.par1);
        wire.bytes[2] = SevenBits(step.par2);
    } else {
        wire.bytes[0] = step.offset;
        wire.bytes[1] = step.par1;
        wire.bytes[2] = step.par2;
    }
    wire.bytes[3] = step.par3;
    return wire;
}

StepWire AnsweredStepWire(const LinkState& link) {
    StepWire wire;
    wire.instruction = link.answerData(4);
    for (int i = 0; i < 4; ++i)
        wire.bytes[static_cast<std::size_t>(i)] = link.answerData(5 + i);
    return wire;
}

void DecodeInstructionByte(int byte, std::uint8_t& instruction, std::uint8_t& fade) {
    const int value = SevenBits(byte);
    const bool faded = (value & FadeFlagValue) != 0 && value >= FadedInstructionFirst && value <= FadedInstructionLast;
    instruction = static_cast<std::uint8_t>(faded ? value - FadeFlagValue : value);
    fade = faded ? 1 : 0;
}

AspectStep DecodeStep(const StepWire& wire) {
    AspectStep step;
    DecodeInstructionByte(wire.instruction, step.instruction, step.fade);
    const auto& w = wire.bytes;
    if (IsSplitInstruction(step.instruction)) {
        step.offset = 0;
        step.par1 = static_cast<std::uint8_t>(128 * (w[0] & 1) + SevenBits(w[1]));
        step.par2 = static_cast<std::uint8_t>(128 * ((w[0] / 2) % 2) + SevenBits(w[2]));
    } else {
        step.offset = static_cast<std::uint8_t>(SevenBits(w[0]));
        step.par1 = static_cast<std::uint8_t>(SevenBits(w[1]));
        step.par2 = static_cast<std::uint8_t>(SevenBits(w[2]));
    }
    step.par3 = static_cast<std::uint8_t>(SevenBits(w[3]));
    return step;
}

int EncodeInitialAspect(int initialAspect) {
    if (initialAspect <= 0)
        return NoInitialAspect;
    return InitialAspectNibble + ((initialAspect - 1) & 15);
}

std::optional<int> DecodeInitialAspect(int byte) {
    if ((byte >> 4) != 7)
        return std::nullopt;
    const int low = byte & 15;
    return low == 15 ? 0 : low + 1;
}

std::array<int, 3> EncodeAddressConfig(const PinRecord& record) {
    return {8 * (record.xdccAddressCount & 1) + (record.dccAddressCount & 7),
            SerialCountBase + (record.lumoAddressCount & 7), DevicePointerBase + (record.deviceReferral & 31)};
}

AddressByteKind ClassifyAddressByte(int value) {
    if (value >= 0 && value <= 15)
        return AddressByteKind::Dcc;
    if (value >= 16 && value <= 31)
        return AddressByteKind::Serial;
    if (value >= 64 && value <= 95)
        return AddressByteKind::DevicePointer;
    return AddressByteKind::Invalid;
}

int HeadPinFromPointer(int pin, int value) {
    return (pin + (value & 31)) & 31;
}

bool ApplyAddressByte(PinRecord& record, int pin, int value) {
    switch (ClassifyAddressByte(value)) {
    case AddressByteKind::Dcc:
        record.dccAddressCount = static_cast<std::uint8_t>(value & 7);
        record.xdccAddressCount = static_cast<std::uint8_t>((value >> 3) & 1);
        return true;
    case AddressByteKind::Serial:
        record.lumoAddressCount = static_cast<std::uint8_t>(value & 7);
        return true;
    case AddressByteKind::DevicePointer:
        record.deviceReferral = static_cast<std::int16_t>(HeadPinFromPointer(pin, value) - pin);
        return true;
    case AddressByteKind::Invalid:
        break;
    }
    return false;
}

} // namespace vexa
