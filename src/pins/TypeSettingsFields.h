#pragma once

#include "model/ConfigurationImage.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vexa {

// One number field of the servo, PWM or input page: the parameter it edits, the range the field
// clamps to, the range of its spin control, and what is added to the shown value to store it.
struct ParamFieldSpec {
    const char* fieldName;  // objectName of the text field
    const char* upDownName; // objectName of its spin control
    const char* caption;    // label beside the field
    int param;              // parameter number 1..11
    int minimum;
    int maximum;
    int spinMinimum;
    int spinMaximum;
    int storedOffset; // stored = shown + storedOffset
};

// Servo parameters 1 and 3..11 (parameter 2 is the flag byte).
extern const std::array<ParamFieldSpec, 10> ServoParamFields;
// PWM parameters 1, 3, 4 and 5 (parameter 2 is the mode byte).
extern const std::array<ParamFieldSpec, 4> PwmParamFields;
// Input OFF-delay (parameter 3) and ON-delay (parameter 4).
extern const std::array<ParamFieldSpec, 2> InputDelayFields;

// The value a field shows for the pin's parameter.
int ShownParamValue(const PinRecord& pin, const ParamFieldSpec& field);

// Leaving or clicking the field: the text's number, clamped to the field range, is stored.
// Returns the value the field shows afterwards.
int CommitParamField(PinRecord& pin, const ParamFieldSpec& field, std::string_view text);

// A turn of the spin control: the value (within the spin range) is stored without the field clamp.
void StoreParamSpin(PinRecord& pin, const ParamFieldSpec& field, int value);

// Typing into the initial level or position field stores the number while it lies within the
// field range. Returns whether it was stored.
bool StoreWhileTyping(PinRecord& pin, const ParamFieldSpec& field, std::string_view text);

// The servo flag byte written from the page: range index + 8 + 16 x auto suspend + 32 x suspended.
std::uint8_t ServoFlagByte(int rangeIndex, bool autoSuspend, bool suspended);

// The servo flag byte as the page shows it.
struct ServoFlags {
    int rangeIndex = 0; // 0 "Off", 1 "S", 2 "M", 3 "L", 4 "XL"; a stored 5..7 shows "Off"
    bool autoSuspend = false;
    bool suspended = false;
    bool initialised = false;
};
ServoFlags DecodeServoFlags(std::uint8_t flags);

// The PWM mode byte: drive index + 2 x acceleration index (0 "Logaritmic", 1 "Linear").
std::uint8_t PwmModeByte(int driveIndex, int accelIndex);
int PwmDriveIndex(std::uint8_t mode);
int PwmAccelIndex(std::uint8_t mode);

// The initial value taken from the live value (the slider's): the PWM level or servo position
// becomes parameter 1, kept within the field range. Returns the shown value.
int TakeLiveValueAsInitial(PinRecord& pin, const ParamFieldSpec& initialField);

} // namespace vexa
