#include "pins/PinConfigTypes.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using Params = std::array<std::uint8_t, ConfigParamCount>;

TEST(PinConfigTypes, FamiliesOfTheSixTypes) {
    const std::vector<std::pair<int, TypeFamily>> known{{0, TypeFamily::Clear}, {1, TypeFamily::Servo},
                                                        {2, TypeFamily::Pwm},   {3, TypeFamily::Pwm},
                                                        {4, TypeFamily::Input}, {5, TypeFamily::Input}};
    for (const auto& [type, expected] : known) {
        TypeFamily family{};
        ASSERT_TRUE(FamilyOfType(type, family)) << type;
        EXPECT_EQ(family, expected) << type;
    }
    TypeFamily family{};
    EXPECT_FALSE(FamilyOfType(6, family));
    EXPECT_FALSE(FamilyOfType(255, family));
    EXPECT_EQ(UnknownConfigurationText(6), "Unknown configuration: 6");
}

TEST(PinConfigTypes, DefaultsOfEachFamily) {
    PinRecord pin;
    pin.configParams.fill(99);
    pin.liveValue = 99;
    InstallFamilyDefaults(pin, TypeFamily::Servo);
    EXPECT_EQ(pin.configType, 1);
    EXPECT_EQ(pin.liveValue, 64);
    EXPECT_EQ(pin.configParams, (Params{64, 0, 64, 127, 58, 127, 127, 64, 0, 64, 0}));

    InstallFamilyDefaults(pin, TypeFamily::Pwm);
    EXPECT_EQ(pin.configType, 2);
    EXPECT_EQ(pin.liveValue, 0);
    EXPECT_EQ(pin.configParams, (Params{0, 0, 28, 0, 31, 0, 0, 0, 0, 0, 0}));

    InstallFamilyDefaults(pin, TypeFamily::Input);
    EXPECT_EQ(pin.configType, 5) << "a new input is low active";
    EXPECT_EQ(pin.configParams, (Params{0, 0, 4, 4, 0, 0, 0, 0, 0, 0, 0}));

    InstallFamilyDefaults(pin, TypeFamily::Clear);
    EXPECT_EQ(pin.configType, 0);
    EXPECT_EQ(pin.configParams, Params{});
}

TEST(PinConfigTypes, ChoosingTheSameFamilyKeepsTheParameters) {
    PinRecord pin;
    pin.configType = 3;
    pin.configParams = {7, 3, 10, 2, 20, 0, 0, 0, 0, 0, 0};
    const PinRecord before = pin;
    EXPECT_FALSE(ChooseTypeFamily(pin, TypeFamily::Pwm));
    EXPECT_EQ(pin, before);

    pin.configType = 5;
    EXPECT_FALSE(ChooseTypeFamily(pin, TypeFamily::Input));
    EXPECT_EQ(pin.configType, 5);

    EXPECT_TRUE(ChooseTypeFamily(pin, TypeFamily::Servo));
    EXPECT_EQ(pin.configType, 1);
    EXPECT_EQ(pin.param(4), 127);
}

TEST(PinConfigTypes, AnUnknownTypeTakesTheDefaultsOfAnyChosenFamily) {
    PinRecord pin;
    pin.configType = 9;
    EXPECT_TRUE(ChooseTypeFamily(pin, TypeFamily::Clear));
    EXPECT_EQ(pin.configType, 0);
}

TEST(PinConfigTypes, HardwareMismatchByGroupOfEight) {
    ModuleSettings module;
    module.hwcSink[1] = true;
    module.hwcSource[3] = true;
    EXPECT_FALSE(HardwareConfigurationMismatch(module, 7));
    EXPECT_TRUE(HardwareConfigurationMismatch(module, 8));
    EXPECT_TRUE(HardwareConfigurationMismatch(module, 15));
    EXPECT_FALSE(HardwareConfigurationMismatch(module, 16));
    EXPECT_TRUE(HardwareConfigurationMismatch(module, 31));
}

TEST(PinConfigTypes, LayoutOptionsAndTheirValues) {
    EXPECT_EQ(LayoutOptionOf(2), 2);
    EXPECT_EQ(LayoutOptionOf(3), 1);
    EXPECT_EQ(LayoutOptionOf(0), 0);
    EXPECT_EQ(LayoutOptionOf(7), 0) << "any other layout is shown as none";
    EXPECT_EQ(LayoutOfOption(0), 0);
    EXPECT_EQ(LayoutOfOption(1), 3);
    EXPECT_EQ(LayoutOfOption(2), 2);
    EXPECT_EQ(LastAspectOfOption(1), 3);
    EXPECT_EQ(LastAspectOfOption(2), 11);
}

TEST(PinConfigTypes, ChoosingFourAspectsClipsTheAspectAndTheInitialAspect) {
    ConfigurationImage image;
    image.currentPin = 4;
    image.currentAspect = 7;
    PinRecord& pin = image.pins[4];
    pin.aspectLayout = 2;
    pin.initialAspect = 6; // aspect 5
    pin.aspects[7].steps[5].instruction = 9;
    ApplyLayoutOption(image, 1);
    EXPECT_EQ(pin.aspectLayout, 3);
    EXPECT_EQ(image.currentAspect, 3);
    EXPECT_EQ(pin.initialAspect, 0);
    EXPECT_EQ(pin.aspects[7].steps[5].instruction, 9) << "aspects beyond the layout stay in the image";

    pin.initialAspect = 4; // aspect 3 is kept
    ApplyLayoutOption(image, 1);
    EXPECT_EQ(pin.initialAspect, 4);
}

TEST(PinConfigTypes, ChoosingTwelveOrNoneClipsNothing) {
    ConfigurationImage image;
    image.currentAspect = 9;
    image.pins[0].initialAspect = 12;
    ApplyLayoutOption(image, 2);
    EXPECT_EQ(image.pins[0].aspectLayout, 2);
    EXPECT_EQ(image.currentAspect, 9);
    ApplyLayoutOption(image, 0);
    EXPECT_EQ(image.pins[0].aspectLayout, 0);
    EXPECT_EQ(image.pins[0].initialAspect, 12);
}

TEST(PinConfigTypes, ServoFlagConversionOnReading) {
    EXPECT_EQ(ConvertReadServoFlags(0x20), 42);
    EXPECT_EQ(ConvertReadServoFlags(0x28), 0x28);
    EXPECT_EQ(ConvertReadServoFlags(15), 15);
    EXPECT_EQ(ConvertReadServoFlags(0x70), 47);
}

} // namespace
} // namespace vexa
