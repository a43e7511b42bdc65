#include "pins/PinConfigTypes.h"

#include <array>

namespace vexa {

namespace {

struct FamilyDefaults {
    std::uint8_t configType;
    std::uint8_t liveValue;
    std::array<std::uint8_t, ConfigParamCount> params;
};

// A new servo sits at the centre with range "Off", 1/Mass, MaxSpd and MaxAcc at 127, damping 58
// and no bounce; a new PWM output has acceleration 28 and on level 31; a new input is low
// active with both delays 4.
constexpr std::array<FamilyDefaults, 4> Defaults{{
    {TypeNone, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {TypeServo, 64, {64, 0, 64, 127, 58, 127, 127, 64, 0, 64, 0}},
    {TypePwm, 0, {0, 0, 28, 0, 31, 0, 0, 0, 0, 0, 0}},
    {TypeInput + 1, 0, {0, 0, 4, 4, 0, 0, 0, 0, 0, 0, 0}},
}};

constexpr int AspectsOfFour = 3;
constexpr int AspectsOfTwelve = 11;

} // namespace

bool FamilyOfType(int configType, TypeFamily& family) {
    switch (configType) {
    case 0:
        family = TypeFamily::Clear;
        return true;
    case 1:
        family = TypeFamily::Servo;
        return true;
    case 2:
    case 3:
        family = TypeFamily::Pwm;
        return true;
    case 4:
    case 5:
        family = TypeFamily::Input;
        return true;
    default:
        return false;
    }
}

void InstallFamilyDefaults(PinRecord& pin, TypeFamily family) {
    const FamilyDefaults& defaults = Defaults.at(static_cast<std::size_t>(family));
    pin.configType = defaults.configType;
    pin.liveValue = defaults.liveValue;
    pin.configParams = defaults.params;
}

bool ChooseTypeFamily(PinRecord& pin, TypeFamily family) {
    TypeFamily current{};
    if (FamilyOfType(pin.configType, current) && current == family)
        return false;
    InstallFamilyDefaults(pin, family);
    return true;
}

std::string UnknownConfigurationText(int configType) {
    return "Unknown configuration: " + std::to_string(configType);
}

bool HardwareConfigurationMismatch(const ModuleSettings& module, int pin) {
    if (pin < 0 || pin >= PinCount)
        return false;
    const auto group = static_cast<std::size_t>(pin / 8);
    return module.hwcSink.at(group) || module.hwcSource.at(group);
}

int LayoutOptionOf(int aspectLayout) {
    switch (aspectLayout) {
    case LayoutTwelveByThree:
        return 2;
    case LayoutFourByNine:
        return 1;
    default:
        return 0;
    }
}

std::uint8_t LayoutOfOption(int option) {
    switch (option) {
    case 1:
        return LayoutFourByNine;
    case 2:
        return LayoutTwelveByThree;
    default:
        return LayoutNone;
    }
}

int LastAspectOfOption(int option) {
    return option == 1 ? AspectsOfFour : AspectsOfTwelve;
}

void ApplyLayoutOption(ConfigurationImage& image, int option) {
    PinRecord& pin = image.pins.at(static_cast<std::size_t>(image.currentPin));
    pin.aspectLayout = LayoutOfOption(option);
    FitCurrentAspectToOption(image, option);
    if (option == 1 && pin.initialAspect > AspectsOfFour + 1)
        pin.initialAspect = 0;
}

void FitCurrentAspectToOption(ConfigurationImage& image, int option) {
    if (option == 1 && image.currentAspect > AspectsOfFour)
        image.currentAspect = AspectsOfFour;
}

} // namespace vexa
