#pragma once

#include "core/Session.h"

namespace vexa {

// Operations of the live request 0, operation, target, value (no answer awaited).
enum class LiveOperation : int { PinAspect = 0, SerialAspect = 1, PwmLevel = 38, ServoPosition = 39 };

// Added to the PWM and servo operations when the output is to move with its dynamic parameters
// ("Slow", "Dynamic") instead of jumping.
constexpr int LiveDynamicFlag = 16;

// Largest value a data byte of a request carries.
constexpr int DataByteMaximum = 127;

constexpr int PwmLevelMaximum = 31;
constexpr int ServoPositionMinimum = -64;
constexpr int ServoPositionMaximum = 63;
constexpr int ServoPositionOffset = 64; // positions travel as position + 64

// Header byte of a Lumo-format frame for a module address.
constexpr int LumoHeader(int module) {
    return module * 4 + 3;
}

// Sends 0, operation, target, value as a one-way Vexa request.
bool SendLiveRequest(Session& session, LiveOperation operation, int target, int value, bool dynamic = false);

// Sets the PWM level (0..31) of a pin; with slow set, the output moves with its dynamics.
bool SendPwmLevel(Session& session, int pin, int level, bool slow);

// Sets the servo position (-64..63) of a pin; with dynamic set, the servo moves with its dynamics.
bool SendServoPosition(Session& session, int pin, int position, bool dynamic);

} // namespace vexa
