#pragma once

#include "core/LinkState.h"
#include "model/ConfigurationImage.h"
#include "model/StepInstruction.h"

#include <array>
#include <optional>

namespace vexa {

// The wire form of one aspect step: the instruction byte I and the four step bytes W0..W3.
// Every value on the wire is 0..127; a step whose bytes hold more (possible from a hand-edited
// file) encodes to a value above 127, which is never cut to 7 bits: a write refuses such a step
// before sending (see PinWireCheck.h).
struct StepWire {
    int instruction = 0;
    std::array<int, 4> bytes{};

    bool operator==(const StepWire&) const = default;
};

// Instruction codes whose two byte parameters (0..255) travel split into seven-bit halves.
constexpr int SendSerial1Code = 4;
constexpr int SendSerial2Code = 5;

StepWire EncodeStep(const AspectStep& step);
// The wire form of the step in a 115 answer (data bytes 4..8).
StepWire AnsweredStepWire(const LinkState& link);
AspectStep DecodeStep(const StepWire& wire);

// Splits an instruction byte into the instruction code and the fade flag: a byte with bit 4 set
// in 19..63 is a faded instruction.
void DecodeInstructionByte(int byte, std::uint8_t& instruction, std::uint8_t& fade);

// 0x70 + (initialAspect - 1), or 0x7F for none (initialAspect 0).
int EncodeInitialAspect(int initialAspect);
// initialAspect from a byte with high nibble 7 (low nibble 15 = none); nothing for other bytes.
std::optional<int> DecodeInitialAspect(int byte);

// The three address-configuration bytes B0 (DCC counts), B1 (serial count) and B2 (device pointer).
std::array<int, 3> EncodeAddressConfig(const PinRecord& record);

enum class AddressByteKind { Dcc, Serial, DevicePointer, Invalid };

// Kind of an address-configuration byte read back: 0..15 DCC, 16..31 serial, 64..95 device pointer.
AddressByteKind ClassifyAddressByte(int value);

// Head pin that a device-pointer byte read from the given pin points to.
int HeadPinFromPointer(int pin, int value);

// Applies one address-configuration byte read from the pin to its record; false for an invalid byte.
bool ApplyAddressByte(PinRecord& record, int pin, int value);

} // namespace vexa
