#include "pins/PinWireCheck.h"
#include "pins/PinConfigRequests.h"
#include "pins/PinTransfer.h"

#include "PinTransferFakeController.h"
#include "link/StepEncoding.h"

#include <gtest/gtest.h>

#include <functional>

namespace vexa {
namespace {

using test::FakePinController;
using test::TestBench;

// Pin 5 (index 4) is a servo with layout "4" whose every value lies at the edge of what the
// wire carries; each case pushes one value over it.
struct PinWireCheckTest : ::testing::Test {
    PinWireCheckTest() {
        PinRecord& p = pin();
        p.aspectLayout = LayoutFourByNine;
        p.initialAspect = 4; // aspect 3, the last of the layout
        p.dccAddressCount = 7;
        p.xdccAddressCount = 1;
        p.lumoAddressCount = 7;
        p.deviceReferral = -4; // head pin 0
        p.configType = 1;
        p.configParams.fill(127);
        p.aspects[2].steps[3] = {102, 0, 127, 127, 127, 127};
        p.aspects[1].steps[0] = {SendSerial1Code, 0, 200, 255, 255, 127}; // split into 7-bit halves
    }

    PinRecord& pin() { return bench.session.image.pins[4]; }

    TestBench bench;
    FakePinController controller{bench};
};

TEST_F(PinWireCheckTest, EveryWriteRefusesTheWholePinBeforeItsFirstByte) {
    ASSERT_TRUE(WriteWholePin(bench.session, 4)) << bench.prompter.last();
    ASSERT_TRUE(bench.prompter.messages.empty()) << bench.prompter.last();

    using Operation = std::function<bool(Session&)>;
    const Operation wholePin = [](Session& s) { return WriteWholePin(s, 4); };
    const Operation aspects = [](Session& s) { return WritePinAspects(s, 4); };
    const Operation aspect2 = [](Session& s) { return WriteAspect(s, 4, 2); };
    const Operation device = [](Session& s) { return WriteDevice(s, 0); };
    const Operation config = [](Session& s) { return SetPinConfig(s, 4); };
    struct Case {
        std::function<void(PinRecord&)> change;
        Operation write;
        std::string message;
    };
    const std::vector<Case> cases{
        {[](PinRecord& p) { p.aspects[2].steps[3].par1 = 200; }, wholePin,
         "Pin 5: step 3 of aspect 2: parameter 1 = 200 cannot be sent (0..127)"},
        {[](PinRecord& p) { p.aspects[2].steps[3].instruction = 130; }, aspect2,
         "Pin 5: step 3 of aspect 2: instruction = 130 cannot be sent (0..127)"},
        {[](PinRecord& p) { p.aspects[2].steps[3].offset = 128; }, WriteAllPins,
         "Pin 5: step 3 of aspect 2: offset = 128 cannot be sent (0..127)"},
        {[](PinRecord& p) { p.aspects[1].steps[0].par3 = 150; }, device,
         "Pin 5: step 0 of aspect 1: parameter 3 = 150 cannot be sent (0..127)"},
        {[](PinRecord& p) { p.dccAddressCount = 9; }, aspects, "Pin 5: DCC address count = 9 cannot be sent (0..7)"},
        {[](PinRecord& p) { p.xdccAddressCount = 2; }, wholePin,
         "Pin 5: extended DCC address count = 2 cannot be sent (0..1)"},
        {[](PinRecord& p) { p.lumoAddressCount = 8; }, wholePin,
         "Pin 5: serial address count = 8 cannot be sent (0..7)"},
        {[](PinRecord& p) { p.initialAspect = 8; }, aspects, "Pin 5: initial aspect = 7 cannot be sent (-1..3)"},
        {[](PinRecord& p) { p.aspectLayout = 7; }, wholePin, "Pin 5: aspect layout = 7 cannot be sent (0, 2 or 3)"},
        {[](PinRecord& p) { p.aspectLayout = 7; }, aspect2, "Pin 5: aspect layout = 7 cannot be sent (0, 2 or 3)"},
        {[](PinRecord& p) { p.deviceReferral = 30; }, wholePin,
         "Pin 5: device referral = 30 cannot be sent (-4..27): the head pin lies outside pins 1..32"},
        {[](PinRecord& p) { p.param(7) = 200; }, wholePin, "Pin 5: parameter 7 = 200 cannot be sent (0..127)"},
        {[](PinRecord& p) { p.liveValue = 140; }, config, "Pin 5: live value = 140 cannot be sent (0..127)"},
    };
    const PinRecord sendable = pin();
    for (const Case& c : cases) {
        pin() = sendable;
        c.change(pin());
        controller.requests.clear();
        bench.prompter.messages.clear();
        EXPECT_FALSE(c.write(bench.session)) << c.message;
        EXPECT_EQ(bench.prompter.last(), c.message);
        EXPECT_TRUE(controller.requests.empty()) << c.message;
    }
}

TEST(PinWireCheck, APinWithoutAspectsCarriesAnInitialAspectInFourBitsOnly) {
    PinRecord p;
    p.initialAspect = 15; // aspect 14: the last the byte holds besides "none"
    EXPECT_EQ(InitialAspectProblem(p), "");
    p.initialAspect = 16;
    EXPECT_EQ(InitialAspectProblem(p), "initial aspect = 15 cannot be sent (-1..14)");
    p.aspectLayout = LayoutTwelveByThree;
    p.initialAspect = 12;
    EXPECT_EQ(InitialAspectProblem(p), "");
    EXPECT_EQ(StepFieldProblem({SendSerial2Code, 0, 255, 255, 255, 0}, StepField::Offset), ""); // not sent
    EXPECT_EQ(StepFieldProblem({6, 1, 0, 0, 0, 0}, StepField::Instruction), "");                // 22 with fade
}

} // namespace
} // namespace vexa
