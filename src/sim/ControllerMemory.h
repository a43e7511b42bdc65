#pragma once

#include "model/ConfigurationImage.h"
#include "sim/SimOutputs.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

namespace vexa {

// The configuration memory of a simulated controller, kept in the byte form in which it
// travels on the link, so that what is written is exactly what is read back.

constexpr int SimSettingCount = 14;   // module settings 0..13
constexpr int SimStepSlotCount = 36;  // step slots of one pin: 4 x 9 or 12 x 3
constexpr int SimIdStringMax = 12;    // characters of the identity string
constexpr int SimReportQueueMax = 32; // reported messages kept until they are polled
constexpr std::uint8_t SimInitialAspectNone = 0x7F;

// Module setting numbers with a meaning of their own.
enum SimSetting : int {
    SettingVersion = 0,
    SettingHardware = 1,
    SettingXAddress = 2,
    SettingGroupMask = 3,
    SettingDccAddress = 4,
    SettingDccOptions = 5,
    SettingLedGreen = 6,
    SettingLedOrange = 7,
    SettingSerialAddressing = 8,
    SettingIdString = 10,
    SettingEnableMaps = 11,
    SettingXDccAddress = 12,
    SettingSerialPort = 13,
};

// One step slot: the instruction byte (fade folded in as + 16) and the step bytes W0..W3.
struct SimStep {
    std::uint8_t instruction = 0;
    std::array<std::uint8_t, 4> values{};

    bool operator==(const SimStep&) const = default;
};

// Everything the controller keeps for one pin.
struct SimPin {
    // Type blocks: the configuration type followed by its parameter bytes, as answered to a
    // read of the active (81) or the flash (113) setting.
    std::vector<std::uint8_t> activeBlock{0};
    std::vector<std::uint8_t> flashBlock{0};
    std::uint8_t aspectLayout = LayoutNone;
    std::array<SimStep, SimStepSlotCount> steps{};
    std::uint8_t initialAspect = SimInitialAspectNone; // 0x70 + aspect, or 0x7F for none
    // Action slots per event input k: k x 16 + action, action 15 = none.
    std::array<std::uint8_t, EventInputCount> eventOn{15, 31, 47, 63};
    std::array<std::uint8_t, EventInputCount> eventOff{15, 31, 47, 63};
    // Address configuration: DCC counts (0..15), 16 + serial count, 64 + device pointer.
    std::array<std::uint8_t, 3> addressConfig{9, 17, 64};

    bool operator==(const SimPin&) const = default;
};

struct ControllerMemory {
    // Value bytes of each module setting (what follows the setting number in an answer).
    std::array<std::vector<std::uint8_t>, SimSettingCount> settings{};
    std::array<SimPin, PinCount> pins{};

    bool operator==(const ControllerMemory&) const = default;
};

// What the controller does at run time and does not keep in its memory.
struct SimLiveState {
    std::array<int, PinCount> shownAspect{}; // aspect a pin shows now, -1 = none
    std::deque<std::array<std::uint8_t, 4>> reports;
    SimOutputStates outputs{}; // what each output shows or where it moves
    double now = 0;            // seconds on the simulator's clock, set before each frame is served

    SimLiveState() { shownAspect.fill(-1); }
};

// The memory of a freshly erased controller of the given firmware version.
ControllerMemory FactoryMemory(const std::array<std::uint8_t, 4>& version);

// Clears the configuration; the firmware version stays.
void EraseConfiguration(ControllerMemory& memory);

// Number of value bytes of a setting, -1 for the identity string (0..12), or nullopt when the
// controller has no such setting.
std::optional<int> SettingValueLength(int setting);
bool SettingValuesFit(int setting, std::size_t count);

// Number of bytes of a type block (the type byte included) for a configuration type, or
// nullopt for an unknown type.
std::optional<std::size_t> TypeBlockLength(int configType);

// The type block of an older controller's PWM output: the type and four bytes, without the off
// and on levels, which its read answers then lack.
bool IsShortPwmBlock(const std::vector<std::uint8_t>& block);

// Slot of step s of aspect a under a layout, or nullopt when the layout has no such step.
std::optional<int> StepSlotIndex(int aspectLayout, int aspect, int step);

// Pin whose serial addresses (running sums of the serial counts) cover the address, or -1.
int PinOfSerialAddress(const ControllerMemory& memory, int address);

// Adds a reported message, dropping the oldest when the queue is full.
void QueueReport(SimLiveState& live, const std::array<std::uint8_t, 4>& message);

} // namespace vexa
