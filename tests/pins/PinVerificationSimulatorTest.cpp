#include "link/StepEncoding.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"

#include "TestSeams.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::FakeClock;
using test::RecordingPrompter;
using test::ScriptedPortProvider;

// A session talking to the in-process simulated controller.
struct PinVerificationSimulatorTest : ::testing::Test {
    PinVerificationSimulatorTest() {
        session.port.port = MakeSimulatorPort(simulator);
        session.port.port->open(SimulatorPortName);
        session.port.name = SimulatorPortName;
        FillImage();
    }

    PinRecord& pin(int p) { return session.image.pins[static_cast<std::size_t>(p)]; }

    // Every pin configured, both aspect shapes, every step used, devices and address counts.
    void FillImage() {
        for (int p = 0; p < PinCount; ++p) {
            PinRecord& record = pin(p);
            record.aspectLayout = p % 3 == 0 ? LayoutNone : (p % 3 == 1 ? LayoutFourByNine : LayoutTwelveByThree);
            record.initialAspect = static_cast<std::uint8_t>(p % 5);
            record.dccAddressCount = static_cast<std::uint8_t>(p % 7);
            record.xdccAddressCount = static_cast<std::uint8_t>(p % 2);
            record.lumoAddressCount = static_cast<std::uint8_t>((p + 3) % 7);
            record.deviceReferral = static_cast<std::int16_t>(p % 4 == 0 ? 0 : -(p % 4));
            record.configType = static_cast<std::uint8_t>(p % 6);
            for (int n = 1; n <= ConfigParamCount; ++n)
                record.param(n) = static_cast<std::uint8_t>((p * 7 + n * 3) % 64);
            if (record.configType == 2 || record.configType == 3)
                for (int n = 6; n <= ConfigParamCount; ++n)
                    record.param(n) = 0;
            if (record.configType == 4 || record.configType == 5)
                for (int n = 5; n <= ConfigParamCount; ++n)
                    record.param(n) = 0;
            if (record.configType == 0)
                record.configParams.fill(0);
            if (record.configType == 1)
                record.param(2) = 0x08; // new-form option byte
            for (int a = 0; a < AspectsInLayout(record.aspectLayout); ++a)
                for (int s = 0; s < StepsInLayout(record.aspectLayout); ++s) {
                    AspectStep& step = record.aspects[static_cast<std::size_t>(a)].steps[static_cast<std::size_t>(s)];
                    const int kind = (p + a + s) % 4;
                    if (kind == 0)
                        step = AspectStep{SendSerial2Code, 0, 0, 200, 130, 0};
                    else if (kind == 1)
                        step = AspectStep{6, 1, static_cast<std::uint8_t>(s), static_cast<std::uint8_t>(a + 10), 0, 0};
                    else if (kind == 2)
                        step = AspectStep{102, 0, 0, 0, static_cast<std::uint8_t>(p), 2};
                    else
                        step = AspectStep{18, 0, 5, 40, 31, 0};
                }
        }
    }

    RecordingPrompter prompter;
    FakeClock clock;
    ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    std::shared_ptr<Simulator> simulator = std::make_shared<Simulator>();
};

TEST_F(PinVerificationSimulatorTest, WrittenPinsVerifyAndOneChangedStepByteGivesOneLine) {
    ASSERT_TRUE(WriteAllPins(session));
    ASSERT_TRUE(RunVerifyAllPins(session));
    EXPECT_EQ(session.verificationReport, "Start Pin Verification\r\nNote: Numbering starts at 1\r\nVerify OK");
    EXPECT_TRUE(prompter.messages.empty());

    // Pin 4 has layout 3: W1 of step 5 of aspect 2 changes in the controller.
    simulator->pin(4).steps[2 * 9 + 5].values[1] ^= 1;
    EXPECT_FALSE(RunVerifyAllPins(session));
    EXPECT_EQ(session.verificationReport,
              "Start Pin Verification\r\nNote: Numbering starts at 1\r\nPin 5: Aspect 2 does not compare\r\n");
}

TEST_F(PinVerificationSimulatorTest, PinsReadBackAsTheyWereWritten) {
    ASSERT_TRUE(WriteAllPins(session));
    const ConfigurationImage written = session.image;
    session.image = ConfigurationImage{};
    ASSERT_TRUE(ReadAllPins(session));
    for (int p = 0; p < PinCount; ++p) {
        const PinRecord& expected = written.pins[static_cast<std::size_t>(p)];
        const PinRecord& read = pin(p);
        EXPECT_EQ(read.aspectLayout, expected.aspectLayout) << p;
        EXPECT_EQ(read.initialAspect, expected.initialAspect) << p;
        EXPECT_EQ(read.dccAddressCount, expected.dccAddressCount) << p;
        EXPECT_EQ(read.xdccAddressCount, expected.xdccAddressCount) << p;
        EXPECT_EQ(read.lumoAddressCount, expected.lumoAddressCount) << p;
        EXPECT_EQ(read.deviceReferral, expected.deviceReferral) << p;
        EXPECT_EQ(read.configType, expected.configType) << p;
        EXPECT_EQ(read.configParams, expected.configParams) << p;
        for (int a = 0; a < AspectsInLayout(expected.aspectLayout); ++a)
            EXPECT_EQ(read.aspects[static_cast<std::size_t>(a)].steps,
                      expected.aspects[static_cast<std::size_t>(a)].steps)
                << p << " aspect " << a;
    }
}

TEST_F(PinVerificationSimulatorTest, StepsTravelAndVerifyInTheFormTheyAreStoredIn) {
    // Pin 2 (index 1) has layout 3. A fade flag on 16, 17, 18 or "Wait" cannot travel: it is
    // left out on the wire and in the comparison, never turned into another instruction.
    auto& steps = pin(1).aspects[0].steps;
    steps[0] = {16, 1, 1, 2, 3, 4};
    steps[1] = {17, 1, 1, 2, 3, 4};
    steps[2] = {18, 1, 5, 40, 31, 0};
    steps[3] = {102, 1, 0, 0, 5, 2};
    ASSERT_TRUE(WriteAllPins(session));
    for (int s = 0; s < 4; ++s)
        EXPECT_EQ(simulator->pin(1).steps[static_cast<std::size_t>(s)].instruction,
                  steps[static_cast<std::size_t>(s)].instruction)
            << s;
    ASSERT_TRUE(RunVerifyAllPins(session)) << session.verificationReport;

    // A value above 127 (possible from a hand-edited file) is refused, never cut to 7 bits,
    // and a controller holding the cut value does not compare.
    pin(1).aspects[1].steps[0] = {102, 0, 0, 0, 5, 2 + 128};
    EXPECT_FALSE(WriteAspect(session, 1, 1));
    EXPECT_EQ(prompter.last(), "Pin 2: step 0 of aspect 1: parameter 3 = 130 cannot be sent (0..127)");
    simulator->pin(1).steps[9].instruction = 102;
    simulator->pin(1).steps[9].values = {0, 0, 5, 2};
    EXPECT_FALSE(RunVerifyAllPins(session));
    EXPECT_NE(session.verificationReport.find("Pin 2: Aspect 1 does not compare"), std::string::npos);
}

TEST_F(PinVerificationSimulatorTest, OneWayWritesArePacedAndStillVerify) {
    session.link.bidirectional = false;
    ASSERT_TRUE(WriteAllPins(session));
    // 3 messages per pin plus 36 steps on the 21 pins with aspects, 100 ms after each (in two
    // slices that keep a window alive).
    EXPECT_EQ(clock.pauses, std::vector<int>(2 * (32 * 3 + 21 * 36), 50));
    EXPECT_TRUE(RunVerifyAllPins(session));
}

} // namespace
} // namespace vexa
