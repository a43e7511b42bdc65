#pragma once

#include "link/TypeBlockForm.h"
#include "model/ConfigurationImage.h"

#include <cstdint>
#include <string>

namespace vexa {

// The four type families of a pin; the value is also the page number of the type tabs.
enum class TypeFamily : int { Clear = 0, Servo = 1, Pwm = 2, Input = 3 };

constexpr std::uint8_t ServoCentre = 64; // servo bytes are shown minus 64

// Family of a configuration type: 0 Clear, 1 Servo, 2-3 PWM, 4-5 Input; false for any other type.
bool FamilyOfType(int configType, TypeFamily& family);

// Installs the defaults of a family: type, liveValue and parameters 1..11 (the rest 0).
void InstallFamilyDefaults(PinRecord& pin, TypeFamily family);

// The user chose the page of a family: when the pin's type is of another family (or unknown),
// its defaults are installed. Returns whether they were.
bool ChooseTypeFamily(PinRecord& pin, TypeFamily family);

// "Unknown configuration: " and the type in decimal.
std::string UnknownConfigurationText(int configType);

// Whether the hardware configuration of the pin's group of eight has its sink or source driver
// set, which the servo and input pages warn about.
bool HardwareConfigurationMismatch(const ModuleSettings& module, int pin);

// Number of the aspect-layout choice (0 "0", 1 "4", 2 "12") for a layout value, and back.
int LayoutOptionOf(int aspectLayout);
std::uint8_t LayoutOfOption(int option);

// Last aspect number the aspect and initial-aspect selectors allow with a layout choice.
int LastAspectOfOption(int option);

// The user (or the pin display) chose an aspect layout for the current pin: sets its layout;
// with "4" an aspect above 3 becomes 3 and an initial aspect above 3 becomes none.
void ApplyLayoutOption(ConfigurationImage& image, int option);
// Keeps the selected aspect within the aspects of the layout option (1: four aspects); the pin
// itself is left as it is.
void FitCurrentAspectToOption(ConfigurationImage& image, int option);

} // namespace vexa
