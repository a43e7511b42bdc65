#include "TestSeams.h"

#include "module/AddressLabels.h"
#include "module/AddressOffsets.h"
#include "module/DccAddressing.h"
#include "module/HardwareSettings.h"
#include "module/SerialAddressing.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(AddressRules, FieldEntriesClampWithBothNumberingBases) {
    test::TestBench bench;
    Session& session = bench.session;
    ModuleSettings& module = session.image.module;
    for (int base : {0, 1}) {
        session.numberingBase = base;
        EnterModuleXAddress(session, "100");
        EXPECT_EQ(module.moduleXAddress, 95);
        EXPECT_EQ(ShownModuleXAddress(session), 95 + base);
        EnterModuleXAddress(session, "-3");
        EXPECT_EQ(module.moduleXAddress, 0);
        EnterModuleXAddress(session, "7");
        EXPECT_EQ(module.moduleXAddress, 7 - base);

        EnterFlexStart(session, "10");
        EXPECT_EQ(module.lumoFlexBlock, 2); // whole part of (10 - base) / 4
        EXPECT_EQ(ShownFlexStart(session), 8 + base);
        EnterFlexStart(session, "999");
        EXPECT_EQ(module.lumoFlexBlock, 127);
        EXPECT_EQ(ShownFlexStart(session), 508 + base);
        StepFlexBlock(session, 1);
        EXPECT_EQ(module.lumoFlexBlock, 127);
        EnterFlexStart(session, "x");
        EXPECT_EQ(module.lumoFlexBlock, 0);
        StepFlexBlock(session, -1);
        EXPECT_EQ(module.lumoFlexBlock, 0);
    }
    EXPECT_EQ(HardwarePinCaption(0), "Pin       0..7         8..15      16..23       24..31");
    EXPECT_EQ(HardwarePinCaption(1), "Pin       1..8         9..16      17..24       25..32");
}

TEST(AddressRules, DccAddressesFollowAllowAddressZero) {
    test::TestBench bench;
    Session& session = bench.session;
    ModuleSettings& module = session.image.module;
    EnterDccAddress(session, "0");
    EXPECT_EQ(module.dccAddress, 1);
    EnterXDccAddress(session, "5000");
    EXPECT_EQ(module.xdccAddress, 2046);
    SetDccAllowZero(session, true);
    EnterDccAddress(session, "-4");
    EXPECT_EQ(module.dccAddress, 0);
    session.numberingBase = 0;
    EXPECT_EQ(FirstDccOutput(session), 0);
    SetDccAllowZero(session, false); // a 0 becomes 1 again
    EXPECT_EQ(module.dccAddress, 1);
    EXPECT_EQ(FirstDccOutput(session), 1);
}

TEST(AddressRules, RangeCaptionsAndOverflow) {
    test::TestBench bench;
    Session& session = bench.session;
    ModuleSettings& module = session.image.module;
    for (PinRecord& pin : session.image.pins)
        pin.dccAddressCount = pin.xdccAddressCount = 0;
    EXPECT_EQ(DccRangeCaption(session).text, "No addr in use");
    session.image.pins[0].dccAddressCount = 2;
    session.image.pins[1].dccAddressCount = 4;
    session.image.pins[2].dccAddressCount = 1;
    RangeCaption caption = DccRangeCaption(session);
    EXPECT_EQ(caption.text, "Output 1 .. 7");
    EXPECT_FALSE(caption.overflow);
    session.image.pins[3].dccAddressCount = 1;
    module.dccAddress = 510;
    caption = DccRangeCaption(session);
    EXPECT_EQ(caption.text, "Output 2037 .. OVFLOW");
    EXPECT_TRUE(caption.overflow);

    session.image.pins[5].xdccAddressCount = 1;
    module.xdccAddress = 2046;
    EXPECT_EQ(XDccRangeCaption(session).text, "Output 2046 .. OVERFLOW");
    module.xdccAddress = 2045;
    EXPECT_EQ(XDccRangeCaption(session).text, "Output 2045 .. 2045");
    EXPECT_EQ(DccAddressLabel(session, 1), "2039");
    EXPECT_EQ(XDccAddressLabel(session, 4), "-");
    EXPECT_EQ(XDccAddressLabel(session, 5), "2045");
}

TEST(AddressRules, SerialAndPinLabels) {
    test::TestBench bench;
    Session& session = bench.session;
    ModuleSettings& module = session.image.module;
    session.link.moduleAddress = 2;
    const AddressOffsets offsets = ComputeAddressOffsets(session.image);
    EXPECT_EQ(offsets.serial[31], 31);
    EXPECT_EQ(offsets.serialTotal, 32);

    EXPECT_EQ(SerialAddressLabel(session, 3), "68"); // 2 x 32 + 1 + 3
    EXPECT_EQ(PinAddressLabel(session, 3), "3.4");
    session.link.useXAddress = true;
    session.link.xAddress = 9;
    EXPECT_EQ(PinAddressLabel(session, 3), "3.10.4");
    session.image.pins[3].lumoAddressCount = 0;
    EXPECT_EQ(SerialAddressLabel(session, 3), "-");
    EXPECT_EQ(PinAddressLabel(session, 3), "-");

    session.image.pins[0].lumoAddressCount = 6; // pin 31 now starts at 35
    EXPECT_EQ(SerialAddressLabel(session, 31), "-");
    module.nativeMode = true;
    EXPECT_EQ(SerialAddressLabel(session, 31), "292"); // 2 x 128 + 1 + 35
    module.lumoFlexAddressing = true;
    module.lumoFlexBlock = 3;
    session.numberingBase = 0;
    EXPECT_EQ(SerialAddressLabel(session, 31), "47"); // 0 + 35 + 3 x 4
}

} // namespace
} // namespace vexa
