#include "link/StepEncoding.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

AspectStep Step(int instruction, int fade, int offset, int par1, int par2, int par3) {
    return AspectStep{static_cast<std::uint8_t>(instruction), static_cast<std::uint8_t>(fade),
                      static_cast<std::uint8_t>(offset),      static_cast<std::uint8_t>(par1),
                      static_cast<std::uint8_t>(par2),        static_cast<std::uint8_t>(par3)};
}

StepWire Wire(int instruction, int w0, int w1, int w2, int w3) {
    return StepWire{instruction, {w0, w1, w2, w3}};
}

TEST(StepEncoding, OrdinaryStepsCarryOffsetAndParametersAsTheyAre) {
    EXPECT_EQ(EncodeStep(Step(102, 0, 0, 0, 50, 2)), Wire(102, 0, 0, 50, 2));
    EXPECT_EQ(EncodeStep(Step(39, 0, 31, 64, 0, 0)), Wire(39, 31, 64, 0, 0));
    EXPECT_EQ(DecodeStep(Wire(96, 127, 31, 63, 3)), Step(96, 0, 127, 31, 63, 3));
}

TEST(StepEncoding, SendSerialSplitsByteValuesIntoSevenBitHalves) {
    // "SendSerial 1" with Byte 200: W0 = 1, W1 = 72, W2 = 0; the offset never travels.
    EXPECT_EQ(EncodeStep(Step(SendSerial1Code, 0, 9, 200, 0, 0)), Wire(4, 1, 72, 0, 0));
    EXPECT_EQ(DecodeStep(Wire(4, 1, 72, 0, 0)), Step(4, 0, 0, 200, 0, 0));

    // "SendSerial 2" with 200 and 130: both high halves in W0.
    const AspectStep both = Step(SendSerial2Code, 0, 0, 200, 130, 0);
    EXPECT_EQ(EncodeStep(both), Wire(5, 3, 72, 2, 0));
    EXPECT_EQ(DecodeStep(EncodeStep(both)), both);

    // Only the second value above 127.
    EXPECT_EQ(EncodeStep(Step(SendSerial2Code, 0, 0, 5, 255, 0)), Wire(5, 2, 5, 127, 0));
    EXPECT_EQ(DecodeStep(Wire(5, 2, 5, 127, 0)), Step(5, 0, 0, 5, 255, 0));
}

TEST(StepEncoding, FadeTravelsAsSixteenOnlyWithinItsRange) {
    // "Blink alt" with fade goes out as 22 and reads back as code 6 with fade.
    EXPECT_EQ(EncodeStep(Step(6, 1, 0, 10, 0, 0)).instruction, 22);
    EXPECT_EQ(DecodeStep(Wire(22, 0, 10, 0, 0)), Step(6, 1, 0, 10, 0, 0));
    // "Multiblink 7" (47) with fade is the last byte read as faded.
    EXPECT_EQ(EncodeStep(Step(47, 1, 0, 0, 0, 0)).instruction, 63);
    EXPECT_EQ(DecodeStep(Wire(63, 0, 0, 0, 0)).instruction, 47);

    // 16, 17 and 18 ("MXpulse") are instructions of their own, never a fade.
    for (int code : {16, 17, 18}) {
        const AspectStep decoded = DecodeStep(Wire(code, 0, 0, 0, 0));
        EXPECT_EQ(decoded.instruction, code);
        EXPECT_EQ(decoded.fade, 0);
    }
    // Bytes with bit 4 set above 63 are plain codes ("SetAspect 4" is 116).
    EXPECT_EQ(DecodeStep(Wire(116, 0, 0, 0, 0)), Step(116, 0, 0, 0, 0, 0));
    EXPECT_EQ(DecodeStep(Wire(80, 0, 0, 0, 0)), Step(80, 0, 0, 0, 0, 0));
    // "Multibit 6" (32) with fade is 48.
    EXPECT_EQ(DecodeStep(Wire(48, 0, 0, 0, 0)), Step(32, 1, 0, 0, 0, 0));
    // Without bit 4 the same range holds unfaded instructions: "Multibit 6", "Set Level",
    // "Multiblink 7".
    for (int code : {32, 38, 47})
        EXPECT_EQ(DecodeStep(Wire(code, 0, 5, 0, 0)), Step(code, 0, 0, 5, 0, 0)) << code;
}

TEST(StepEncoding, FadeThatCannotTravelIsNotFoldedIntoAnotherInstruction) {
    // "Jump" + 16 would read back as "Event Input", "SetServo & Wait" + 16 as "SetAspect 4".
    EXPECT_EQ(EncodeStep(Step(1, 1, 0, 2, 3, 0)).instruction, 1);
    EXPECT_EQ(EncodeStep(Step(100, 1, 0, 64, 10, 1)).instruction, 100);
    EXPECT_EQ(EncodeStep(Step(127, 1, 0, 0, 0, 0)).instruction, 127);
    // 16, 17, 18 + 16 would read back as "Multibit 6" and its neighbours.
    for (int code : {16, 17, 18})
        EXPECT_EQ(EncodeStep(Step(code, 1, 0, 0, 0, 0)).instruction, code);
    // A byte above 127 stays what it is, so that it cannot pass for its low 7 bits.
    EXPECT_EQ(EncodeStep(Step(SendSerial1Code, 0, 0, 255, 255, 0)).bytes, (std::array<int, 4>{3, 127, 127, 0}));
    EXPECT_EQ(EncodeStep(Step(102, 0, 0, 0, 200, 0)).bytes[2], 200);
    EXPECT_EQ(EncodeStep(Step(200, 0, 0, 0, 0, 0)).instruction, 200);
}

TEST(StepEncoding, InitialAspectByte) {
    EXPECT_EQ(EncodeInitialAspect(0), 0x7F);
    EXPECT_EQ(EncodeInitialAspect(1), 0x70);
    EXPECT_EQ(EncodeInitialAspect(12), 0x7B);
    EXPECT_EQ(DecodeInitialAspect(0x7F), 0);
    EXPECT_EQ(DecodeInitialAspect(0x72), 3);
    EXPECT_EQ(DecodeInitialAspect(0x70), 1);
    // Event-On slot bytes have the input number in the high nibble.
    EXPECT_FALSE(DecodeInitialAspect(0x3F).has_value());
    EXPECT_FALSE(DecodeInitialAspect(0x0F).has_value());
}

TEST(StepEncoding, AddressConfigurationBytes) {
    PinRecord record;
    record.dccAddressCount = 2;
    record.xdccAddressCount = 1;
    record.lumoAddressCount = 3;
    record.deviceReferral = -3;
    EXPECT_EQ(EncodeAddressConfig(record), (std::array<int, 3>{10, 19, 93}));
    record.deviceReferral = 0;
    record.xdccAddressCount = 0;
    EXPECT_EQ(EncodeAddressConfig(record), (std::array<int, 3>{2, 19, 64}));
}

TEST(StepEncoding, ClassifiesAddressBytesByTheirHighBits) {
    EXPECT_EQ(ClassifyAddressByte(0), AddressByteKind::Dcc);
    EXPECT_EQ(ClassifyAddressByte(15), AddressByteKind::Dcc);
    EXPECT_EQ(ClassifyAddressByte(16), AddressByteKind::Serial);
    EXPECT_EQ(ClassifyAddressByte(31), AddressByteKind::Serial);
    EXPECT_EQ(ClassifyAddressByte(64), AddressByteKind::DevicePointer);
    EXPECT_EQ(ClassifyAddressByte(95), AddressByteKind::DevicePointer);
    for (int invalid : {32, 48, 63, 96, 127})
        EXPECT_EQ(ClassifyAddressByte(invalid), AddressByteKind::Invalid) << invalid;
}

TEST(StepEncoding, AppliesAddressBytesToTheirFields) {
    PinRecord record;
    EXPECT_TRUE(ApplyAddressByte(record, 5, 93)); // pin 5 pointing 3 back
    EXPECT_EQ(record.deviceReferral, -3);
    EXPECT_TRUE(ApplyAddressByte(record, 30, 69)); // pin 30, +5 wraps to pin 3
    EXPECT_EQ(record.deviceReferral, -27);
    EXPECT_TRUE(ApplyAddressByte(record, 0, 13));
    EXPECT_EQ(record.dccAddressCount, 5);
    EXPECT_EQ(record.xdccAddressCount, 1);
    EXPECT_TRUE(ApplyAddressByte(record, 0, 22));
    EXPECT_EQ(record.lumoAddressCount, 6);

    const PinRecord before = record;
    EXPECT_FALSE(ApplyAddressByte(record, 0, 40));
    EXPECT_EQ(record, before);
}

} // namespace
} // namespace vexa
