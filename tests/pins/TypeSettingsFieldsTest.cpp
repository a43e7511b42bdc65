#include "pins/TypeSettingsFields.h"

#include "pins/PinConfigTypes.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vexa {
namespace {

const ParamFieldSpec& Field(const char* name) {
    for (const ParamFieldSpec& f : ServoParamFields)
        if (std::string(f.fieldName) == name)
            return f;
    for (const ParamFieldSpec& f : PwmParamFields)
        if (std::string(f.fieldName) == name)
            return f;
    for (const ParamFieldSpec& f : InputDelayFields)
        if (std::string(f.fieldName) == name)
            return f;
    throw std::runtime_error(name);
}

TEST(TypeSettingsFields, FieldsClampAndStoreWithTheirOffset) {
    PinRecord pin;
    InstallFamilyDefaults(pin, TypeFamily::Pwm);
    EXPECT_EQ(CommitParamField(pin, Field("TextPWMOnLevel"), "40"), 31);
    EXPECT_EQ(pin.param(5), 31);

    InstallFamilyDefaults(pin, TypeFamily::Servo);
    EXPECT_EQ(CommitParamField(pin, Field("TextMidpoint"), "-70"), -64);
    EXPECT_EQ(pin.param(3), 0);
    EXPECT_EQ(CommitParamField(pin, Field("TextSrvInitPos"), "10.5"), 10);
    EXPECT_EQ(pin.param(1), 74);
    EXPECT_EQ(CommitParamField(pin, Field("TextBounceDown"), "5"), 5);
    EXPECT_EQ(pin.param(8), 69);
    EXPECT_EQ(CommitParamField(pin, Field("TextSrvMaxAccel"), "0"), 1);
    EXPECT_EQ(pin.param(7), 1);
}

TEST(TypeSettingsFields, BounceUpFieldStopsAtMinus63WhileItsSpinReachesMinus64) {
    PinRecord pin;
    InstallFamilyDefaults(pin, TypeFamily::Servo);
    const ParamFieldSpec& bounceUp = Field("TextBounceUp");
    EXPECT_EQ(CommitParamField(pin, bounceUp, "-64"), -63);
    EXPECT_EQ(pin.param(10), 1);
    StoreParamSpin(pin, bounceUp, -64);
    EXPECT_EQ(pin.param(10), 0);
    EXPECT_EQ(ShownParamValue(pin, bounceUp), -64);

    const ParamFieldSpec& maxAcc = Field("TextSrvMaxAccel");
    StoreParamSpin(pin, maxAcc, 0);
    EXPECT_EQ(pin.param(7), 0) << "the spin of MaxAcc goes down to 0";
}

TEST(TypeSettingsFields, InputDelays) {
    PinRecord pin;
    InstallFamilyDefaults(pin, TypeFamily::Input);
    EXPECT_EQ(CommitParamField(pin, Field("TextInputDelay(1)"), "45"), 31);
    EXPECT_EQ(pin.param(4), 31);
    EXPECT_EQ(CommitParamField(pin, Field("TextInputDelay(0)"), "-2"), 0);
    EXPECT_EQ(pin.param(3), 0);
}

TEST(TypeSettingsFields, InitialValuesStoreWhileTypingOnlyWithinTheRange) {
    PinRecord pin;
    InstallFamilyDefaults(pin, TypeFamily::Servo);
    const ParamFieldSpec& initial = Field("TextSrvInitPos");
    EXPECT_TRUE(StoreWhileTyping(pin, initial, "-"));
    EXPECT_EQ(pin.param(1), 64) << "a sign alone counts as 0";
    EXPECT_TRUE(StoreWhileTyping(pin, initial, "-6"));
    EXPECT_EQ(pin.param(1), 58);
    EXPECT_FALSE(StoreWhileTyping(pin, initial, "-65"));
    EXPECT_EQ(pin.param(1), 58);
}

TEST(TypeSettingsFields, ServoFlagByte) {
    EXPECT_EQ(ServoFlagByte(3, true, false), 27);
    EXPECT_EQ(ServoFlagByte(0, false, false), 8);
    EXPECT_EQ(ServoFlagByte(4, true, true), 60);
    const ServoFlags flags = DecodeServoFlags(0x6B);
    EXPECT_EQ(flags.rangeIndex, 3);
    EXPECT_FALSE(flags.autoSuspend);
    EXPECT_TRUE(flags.suspended);
    EXPECT_TRUE(flags.initialised);
    EXPECT_EQ(DecodeServoFlags(6).rangeIndex, 0) << "a range above 4 shows Off";
}

TEST(TypeSettingsFields, PwmModeByte) {
    EXPECT_EQ(PwmModeByte(1, 0), 1);
    EXPECT_EQ(PwmModeByte(0, 1), 2);
    EXPECT_EQ(PwmDriveIndex(3), 1);
    EXPECT_EQ(PwmAccelIndex(1), 0);
}

TEST(TypeSettingsFields, TheLiveValueBecomesTheInitialValue) {
    PinRecord pin;
    InstallFamilyDefaults(pin, TypeFamily::Servo);
    pin.liveValue = 100;
    EXPECT_EQ(TakeLiveValueAsInitial(pin, Field("TextSrvInitPos")), 36);
    EXPECT_EQ(pin.param(1), 100);

    InstallFamilyDefaults(pin, TypeFamily::Pwm);
    pin.liveValue = 20;
    EXPECT_EQ(TakeLiveValueAsInitial(pin, Field("TextPWMInitLevel")), 20);
    EXPECT_EQ(pin.param(1), 20);
}

} // namespace
} // namespace vexa
