// What the simulated controller's outputs do with live requests and Lumo frames, and how it
// tells Lumo frames from Vexa frames.

#include "SimTestBench.h"

#include "link/Exchange.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::SimBench;

// A simulator on a clock the test moves, with a servo on pin 0 (MaxSpd 10: 20 steps a second),
// a PWM output on pin 1 and a two-step program for aspect 1 of pin 4: "On" for the next pin,
// "Set Level" 12 for itself.
struct OutputsBench : SimBench {
    OutputsBench() {
        sim->setClock([this] { return now; });
        sim->pin(0).activeBlock = {1, 64, 8, 64, 127, 58, 10, 127, 64, 0, 64, 0};
        sim->pin(1).activeBlock = {2, 0, 0, 28, 0, 31};
        SimPin& program = sim->pin(4);
        program.aspectLayout = LayoutFourByNine;
        program.steps[9] = SimStep{9, {1, 0, 0, 0}};
        program.steps[10] = SimStep{38, {0, 12, 0, 0}};
        sim->resetOutputs();
    }
    SimOutputView output(int pin) const { return sim->outputs()[static_cast<std::size_t>(pin)]; }

    double now = 100;
};

TEST(SimulatorOutputs, LiveRequestsMoveServoPwmAndRunAspectPrograms) {
    OutputsBench bench;
    bench.write({0, 39, 0, 64});
    EXPECT_EQ(bench.output(0).value, 0);
    bench.write({0, 55, 0, 104}); // "Dynamic" to +40
    EXPECT_EQ(bench.output(0).value, 0);
    bench.now += 1;
    EXPECT_EQ(bench.output(0).value, 20);
    EXPECT_TRUE(bench.output(0).moving);
    bench.now += 5;
    EXPECT_EQ(bench.output(0).value, 40);
    bench.write({0, 39, 0, 0}); // a jump is there at once
    EXPECT_EQ(bench.output(0).value, -64);

    bench.write({0, 38, 1, 20});
    EXPECT_EQ(bench.output(1).value, 20);
    bench.write({0, 38, 0, 20}); // a PWM level for a servo pin changes nothing
    EXPECT_EQ(bench.output(0).value, -64);

    // Serial address 4 is pin 4 (one address per pin): its aspect 1 program runs.
    bench.write({0, 1, 4, 1});
    EXPECT_EQ(bench.output(4).aspect, 1);
    EXPECT_EQ(bench.output(4).value, 12);
    EXPECT_EQ(bench.output(5).value, 31);
    bench.write({0, 0, 4, 3}); // an aspect the layout has, with an empty program
    EXPECT_EQ(bench.output(4).aspect, 3);
    bench.write({0, 0, 4, 7}); // one it has not
    EXPECT_EQ(bench.output(4).aspect, 3);
}

TEST(SimulatorOutputs, LumoFramesSetAspectsResetClearAndLampTest) {
    OutputsBench bench;
    SendLumoMessage(bench.session, 15 * 4 + 3, 10, 2, 30); // another module's lamp test
    EXPECT_FALSE(bench.output(2).lampTest);
    for (int i = 0; i < 32; ++i)
        SendLumoMessage(bench.session, 3, 10, i, 30);
    EXPECT_TRUE(bench.output(0).lampTest && bench.output(31).lampTest);
    SendLumoMessage(bench.session, 3, 8, 5, 0);
    EXPECT_FALSE(bench.output(5).lampTest);

    // Flex block 10: Lumo address 45 (header 7, output 13) is serial address 5, pin 5.
    bench.sim->pin(5).aspectLayout = LayoutFourByNine;
    bench.sim->setting(SettingSerialAddressing) = {1, 10};
    SendLumoMessage(bench.session, 7, 1, 13, 2);
    EXPECT_EQ(bench.output(5).aspect, 2);
    SendLumoMessage(bench.session, 3, 0, 4, 1);
    EXPECT_EQ(bench.output(4).aspect, 1);

    SendLumoMessage(bench.session, 3, 2, 0, 0);
    EXPECT_EQ(bench.output(4).aspect, -1);
    EXPECT_EQ(bench.output(5).aspect, -1);
    EXPECT_FALSE(bench.output(0).lampTest);
}

TEST(SimulatorLumoFrames, FirstDataByteOf64OrMoreStillMakesALumoFrame) {
    SimBench bench;
    // Read as Vexa, 0xC0 would be an empty frame whose check byte fails: the Lumo frame stands.
    SendLumoMessage(bench.session, 3, 64, 5, 6);
    ASSERT_FALSE(bench.sim->lumoFrames().empty());
    EXPECT_EQ(bench.sim->lumoFrames().back(), (SimLumoFrame{3, {64, 5, 6}}));

    // Read as Vexa, 0xCF would announce 15 data bytes: the next frame's header shows that it
    // was a Lumo frame, and that next request is answered as usual.
    SendLumoMessage(bench.session, 3, 79, 1, 2);
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.sim->lumoFrames().back(), (SimLumoFrame{3, {79, 1, 2}}));
    EXPECT_EQ(bench.sim->badFrames(), 0);
}

} // namespace
} // namespace vexa
