#pragma once

#include <array>

namespace vexa {

// The captions of the type tabs beside their number fields (TypeSettingsFields.h): the tab
// names by type family, the option groups and the check boxes. The tabs show them and the
// configuration sheet describes a pin's type in the same words.
namespace typetabs {

inline constexpr std::array<const char*, 4> TabCaptions{"Clear", "Servo", "PWM", "Input"};
inline constexpr const char* NotConfigured = "Pin is not configured";

inline constexpr const char* ServoRange = "Range";
inline constexpr std::array<const char*, 5> ServoRangeOptions{"Off", "S", "M", "L", "XL"};
inline constexpr const char* AutoSuspend = "Auto Suspend";
inline constexpr const char* Suspended = "Suspended";
inline constexpr const char* Initialised = "Servo Initialised";

inline constexpr const char* DriveMode = "Drive Mode";
inline constexpr const char* AccelerationMode = "Acceleration Mode";
inline constexpr std::array<const char*, 2> PwmModeOptions{"Logaritmic", "Linear"};
inline constexpr const char* Inverted = "Inverted";

inline constexpr const char* LowActive = "Low Active";

} // namespace typetabs

} // namespace vexa
