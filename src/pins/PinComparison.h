#pragma once

#include "core/ControllerCopy.h"
#include "core/Session.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

// The comparison of a pin of the image with what a controller holds for it, shared by the pin
// verification, the comparison of two configurations and the marks of what changed since the
// controller was last read or written. Findings are in the words of the verification report,
// each with its prefix "Pin N: " (N as shown).

// The parts of a pin as the writes send them, which a controller then holds.
std::vector<int> TypeBlockWireValues(const PinRecord& pin); // type and parameters ("Write Pin Config")
std::vector<int> StepWireValues(const AspectStep& step);    // instruction byte and W0..W3
std::vector<int> AddressConfigWireValues(const PinRecord& pin);
// Puts every part of the pin, as the writes would send it, into the copy: what a controller
// that holds the pin keeps.
void HoldPinParts(ControllerCopy& copy, const PinRecord& pin, int pinNumber);

std::string PinFindingPrefix(int pinNumber, int numberingBase);

// Type block: the bytes that came (type, parameter 1, ...) up to the first difference, and a
// short PWM block that needs the default off and on levels: up to two findings.
std::vector<std::string> CompareTypeBlock(const PinRecord& pin, const std::string& prefix, std::vector<int> block);
std::string AspectLayoutFinding(const std::string& prefix);
std::string AspectFinding(const std::string& prefix, int aspect);
// True when the step is held as the image would write it.
bool StepCompares(const AspectStep& step, const std::vector<int>& held);
// The initial aspect that a byte of high nibble 7 holds; nothing for a byte of another kind.
std::optional<std::string> CompareInitialAspect(const PinRecord& pin, const std::string& prefix, int held);
// Each of the three address-configuration bytes, taken by its kind.
std::vector<std::string> CompareAddressConfig(const PinRecord& pin, const std::string& prefix,
                                              const std::vector<int>& held);

// A pin against a copy: its findings in the order the pin verification reports them, and its
// state (changed when there is a finding, else unknown when a part in use is not held).
struct PinComparison {
    HeldState state = HeldState::Same;
    std::vector<std::string> findings;
};
PinComparison ComparePinWithCopy(const PinRecord& pin, int pinNumber, int numberingBase, const ControllerCopy& copy);
HeldState PinState(const Session& session, int pin);

// The states of the fields of a pin, for the pin page: the type and its parameters 1..11, the
// aspect layout, the initial aspect, the address counts, the device pointer and the steps of
// one aspect (instruction with fade, offset, parameters 1..3).
struct StepFieldStates {
    HeldState instruction = HeldState::Unknown;
    HeldState fade = HeldState::Unknown;
    HeldState offset = HeldState::Unknown;
    std::array<HeldState, 3> params{};
};
struct PinFieldStates {
    HeldState type = HeldState::Unknown;
    std::array<HeldState, ConfigParamCount> params{}; // parameter n at n - 1
    HeldState layout = HeldState::Unknown;
    HeldState initialAspect = HeldState::Unknown;
    HeldState dccCount = HeldState::Unknown;
    HeldState xdccCount = HeldState::Unknown;
    HeldState lumoCount = HeldState::Unknown;
    HeldState devicePointer = HeldState::Unknown;
    std::array<StepFieldStates, StepCount> steps{};
};
PinFieldStates PinFieldStatesOf(const Session& session, int pin, int aspect);

} // namespace vexa
