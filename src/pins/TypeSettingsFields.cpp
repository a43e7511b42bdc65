#include "pins/TypeSettingsFields.h"

#include "core/NumberField.h"

#include <algorithm>

namespace vexa {

const std::array<ParamFieldSpec, 10> ServoParamFields{{
    {"TextSrvInitPos", "UpDownIP", "Initial Position", 1, -64, 63, -64, 63, 64},
    {"TextMidpoint", "UpDownMidpoint", "Midpoint", 3, -64, 63, -64, 63, 64},
    {"TextSrvAntiMass", "UpDownAM", "1/Mass", 4, 0, 127, 0, 127, 0},
    {"TextSrvFriction", "UpDownFriction", "Damping", 5, 0, 127, 0, 127, 0},
    {"TextSrvMaxSpd", "UpDownMaxSpeed", "MaxSpd", 6, 1, 127, 1, 127, 0},
    {"TextSrvMaxAccel", "UpDownMaxAccel", "MaxAcc", 7, 1, 127, 0, 127, 0},
    {"TextBounceDown", "UpDownBD", "BounceDown", 8, 0, 63, 0, 63, 64},
    {"TextBounceDownFactor", "UpDownBDF", "BounceDownFactor", 9, 0, 127, 0, 127, 0},
    {"TextBounceUp", "UpDownBU", "BounceUp", 10, -63, 0, -64, 0, 64},
    {"TextBounceUpFactor", "UpDownBUF", "BounceUpFactor", 11, 0, 127, 0, 127, 0},
}};

const std::array<ParamFieldSpec, 4> PwmParamFields{{
    {"TextPWMInitLevel", "UpDownIL", "Initial Level", 1, 0, 31, 0, 31, 0},
    {"TextPWMAccel", "UpDownPWMAccel", "Acceleration", 3, 0, 31, 0, 31, 0},
    {"TextPWMOffLevel", "UpDownPWMOffLevel", "Off - Level", 4, 0, 31, 0, 31, 0},
    {"TextPWMOnLevel", "UpDownPWMOnLevel", "On-Level", 5, 0, 31, 0, 31, 0},
}};

const std::array<ParamFieldSpec, 2> InputDelayFields{{
    {"TextInputDelay(0)", "UpDownInputDelay(0)", "OFF-delay (debounce)", 3, 0, 31, 0, 31, 0},
    {"TextInputDelay(1)", "UpDownInputDelay(1)", "ON-delay (debounce)", 4, 0, 31, 0, 31, 0},
}};

namespace {

constexpr std::uint8_t ServoFlagBit3 = 8;
constexpr int LastServoRange = 4;

void Store(PinRecord& pin, const ParamFieldSpec& field, int shown) {
    pin.param(field.param) = static_cast<std::uint8_t>(std::clamp(shown + field.storedOffset, 0, 255));
}

} // namespace

int ShownParamValue(const PinRecord& pin, const ParamFieldSpec& field) {
    return pin.param(field.param) - field.storedOffset;
}

int CommitParamField(PinRecord& pin, const ParamFieldSpec& field, std::string_view text) {
    const int shown = ClampedFieldValue(text, field.minimum, field.maximum);
    Store(pin, field, shown);
    return shown;
}

void StoreParamSpin(PinRecord& pin, const ParamFieldSpec& field, int value) {
    Store(pin, field, std::clamp(value, field.spinMinimum, field.spinMaximum));
}

bool StoreWhileTyping(PinRecord& pin, const ParamFieldSpec& field, std::string_view text) {
    const double value = ParseLeadingNumber(text);
    if (value < field.minimum || value > field.maximum)
        return false;
    Store(pin, field, RoundHalfEven(value));
    return true;
}

std::uint8_t ServoFlagByte(int rangeIndex, bool autoSuspend, bool suspended) {
    const int range = std::clamp(rangeIndex, 0, LastServoRange);
    return static_cast<std::uint8_t>(range + ServoFlagBit3 + (autoSuspend ? 16 : 0) + (suspended ? 32 : 0));
}

ServoFlags DecodeServoFlags(std::uint8_t flags) {
    ServoFlags result;
    const int range = flags & 7;
    result.rangeIndex = range > LastServoRange ? 0 : range;
    result.autoSuspend = (flags & 16) != 0;
    result.suspended = (flags & 32) != 0;
    result.initialised = (flags & 64) != 0;
    return result;
}

std::uint8_t PwmModeByte(int driveIndex, int accelIndex) {
    return static_cast<std::uint8_t>((driveIndex != 0 ? 1 : 0) + (accelIndex != 0 ? 2 : 0));
}

int PwmDriveIndex(std::uint8_t mode) {
    return mode & 1;
}
int PwmAccelIndex(std::uint8_t mode) {
    return (mode >> 1) & 1;
}

int TakeLiveValueAsInitial(PinRecord& pin, const ParamFieldSpec& initialField) {
    const int shown = std::clamp(pin.liveValue - initialField.storedOffset, initialField.minimum, initialField.maximum);
    Store(pin, initialField, shown);
    return shown;
}

} // namespace vexa
