// The request and answer layouts of the simulated controller, driven through the real link.

#include "SimTestBench.h"

#include "sim/SimRequests.h"
#include "sim/SimulatorPort.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

using test::SimBench;
using Values = std::vector<int>;

TEST(SimulatorSettings, EachSettingAnswersWithItsEchoAndValueCount) {
    SimBench bench(MakeDefaultSimulator());
    // Setting number and the number of data bytes of its answer.
    const std::vector<std::pair<int, int>> sizes{{0, 6}, {1, 6}, {2, 3},   {3, 6},  {4, 4},  {5, 3}, {6, 3},
                                                 {7, 3}, {8, 4}, {10, 10}, {11, 4}, {12, 4}, {13, 4}};
    for (const auto& [setting, size] : sizes) {
        ASSERT_TRUE(bench.read({112, setting})) << "setting " << setting;
        EXPECT_EQ(bench.session.link.answerSize(), size) << "setting " << setting;
        EXPECT_EQ(bench.session.link.answerData(0), 112);
        EXPECT_EQ(bench.session.link.answerData(1), setting);
    }
}

TEST(SimulatorSettings, StartStateShowsVersionIdentityAndDccAddress) {
    SimBench bench(MakeDefaultSimulator());
    ASSERT_TRUE(bench.read({112, 0}));
    EXPECT_EQ(bench.answer(), (Values{112, 0, 3, 1, 0, 12}));
    ASSERT_TRUE(bench.read({112, 10}));
    EXPECT_EQ(bench.answer(), (Values{112, 10, 'V', 'e', 'x', 'a', ' ', 'S', 'i', 'm'}));
    ASSERT_TRUE(bench.read({112, 4}));
    EXPECT_EQ(bench.answer(), (Values{112, 4, 1, 0}));
}

TEST(SimulatorSettings, WrittenValuesAreReadBack) {
    SimBench bench;
    const std::vector<Values> writes{{96, 1, 1, 2, 3, 0}, {96, 2, 127},     {96, 3, 1, 2, 0, 8}, {96, 4, 44, 4},
                                     {96, 5, 13},         {96, 6, 5},       {96, 7, 64},         {96, 8, 1, 10},
                                     {96, 11, 3, 12},     {96, 12, 63, 31}, {96, 13, 1, 108}};
    for (const Values& request : writes) {
        bench.write(request);
        ASSERT_TRUE(bench.read({112, request[1]}));
        Values expected = request;
        expected[0] = 112;
        EXPECT_EQ(bench.answer(), expected);
    }
}

TEST(SimulatorSettings, IdentityStringKeepsTwelveCharactersAndMayBeEmpty) {
    SimBench bench;
    bench.write({96, 10, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M'});
    EXPECT_EQ(bench.sim->idString(), "ABCDEFGHIJKL");
    bench.write({96, 10});
    ASSERT_TRUE(bench.read({112, 10}));
    EXPECT_EQ(bench.answer(), (Values{112, 10}));
}

TEST(SimulatorSettings, WritesOfTheWrongSizeOrToFixedSettingsChangeNothing) {
    SimBench bench(MakeDefaultSimulator());
    const ControllerMemory before = bench.sim->memory();
    bench.write({96, 4, 5});          // DCC address needs two bytes
    bench.write({96, 13, 1, 2, 3});   // serial port needs two bytes
    bench.write({96, 0, 9, 9, 9, 9}); // the version is not writable
    bench.write({96, 9, 1});          // there is no setting 9
    bench.write({96, 14, 1});         // nor a setting 14
    EXPECT_EQ(bench.sim->memory(), before);
}

TEST(SimulatorSettings, UnknownSettingsAnswerWithTheEchoAlone) {
    SimBench bench;
    ASSERT_TRUE(bench.read({112, 9}));
    EXPECT_EQ(bench.answer(), (Values{112, 9}));
    ASSERT_TRUE(bench.read({112, 20}));
    EXPECT_EQ(bench.answer(), (Values{112, 20}));
}

TEST(SimulatorSettings, EraseNeedsTheEightConfirmationBytes) {
    SimBench bench(MakeDefaultSimulator());
    bench.write({96, 0, 33, 91, 12, 5, 60, 17, 88, 3}); // last byte wrong
    EXPECT_EQ(bench.sim->idString(), "Vexa Sim");
    EXPECT_EQ(bench.sim->pin(1).aspectLayout, LayoutFourByNine);

    bench.write({96, 0, 33, 91, 12, 5, 60, 17, 88, 2});
    EXPECT_EQ(bench.sim->idString(), "");
    EXPECT_EQ(bench.sim->pin(1), SimPin{});
    EXPECT_EQ(bench.sim->setting(SettingVersion), (std::vector<std::uint8_t>{3, 1, 0, 12}));
    EXPECT_EQ(bench.sim->setting(SettingDccAddress), (std::vector<std::uint8_t>{1, 0}));
}

TEST(SimulatorPins, TypeBlocksOfEachTypeAreAnsweredWithTheirSizes) {
    SimBench bench;
    // Write requests to flash and the size of the read answer.
    const std::vector<std::pair<Values, int>> blocks{
        {{97, 4, 1, 60, 10, 64, 127, 58, 127, 127, 64, 0, 64, 0}, 14},
        {{97, 5, 3, 7, 1, 28, 0, 31}, 8},
        {{97, 6, 4, 0, 0, 4, 9}, 7},
        {{97, 7, 0}, 3},
    };
    for (const auto& [request, size] : blocks) {
        bench.write(request);
        for (int code : {113, 81}) {
            ASSERT_TRUE(bench.read({code, request[1]}));
            EXPECT_EQ(bench.session.link.answerSize(), size);
            Values expected = request;
            expected[0] = code;
            EXPECT_EQ(bench.answer(), expected);
        }
    }
}

TEST(SimulatorPins, ActiveSettingChangesWithoutTheFlashCopy) {
    SimBench bench(MakeDefaultSimulator());
    bench.write({65, 0, 1, 100, 10, 64, 127, 58, 127, 127, 64, 0, 64, 0});
    ASSERT_TRUE(bench.read({81, 0}));
    EXPECT_EQ(bench.answer()[3], 100);
    ASSERT_TRUE(bench.read({113, 0}));
    EXPECT_EQ(bench.answer()[3], 64);
}

TEST(SimulatorPins, MalformedTypeBlocksAreIgnored) {
    SimBench bench(MakeDefaultSimulator());
    const ControllerMemory before = bench.sim->memory();
    bench.write({97, 1, 2, 0, 0, 28});        // PWM block too short
    bench.write({97, 1, 9, 0});               // unknown type
    bench.write({65, 40, 0});                 // no pin 40
    bench.write({97, 2, 1, 64, 10, 64, 127}); // servo block too short
    EXPECT_EQ(bench.sim->memory(), before);
}

TEST(SimulatorPins, LayoutIsStoredOnlyForKnownValues) {
    SimBench bench;
    bench.write({98, 3, 3});
    ASSERT_TRUE(bench.read({114, 3}));
    EXPECT_EQ(bench.answer(), (Values{114, 3, 3}));
    bench.write({98, 3, 1});
    ASSERT_TRUE(bench.read({114, 3}));
    EXPECT_EQ(bench.answer(), (Values{114, 3, 3}));
    bench.write({98, 3, 2});
    EXPECT_EQ(bench.sim->pin(3).aspectLayout, LayoutTwelveByThree);
}

TEST(SimulatorPins, StepsUseTheSlotsOfTheLayout) {
    SimBench bench;
    bench.write({98, 8, 3});
    bench.write({99, 8, 2, 7, 4, 1, 72, 0, 0}); // "SendSerial 1" with byte 200
    EXPECT_EQ(bench.sim->pin(8).steps[2 * 9 + 7], (SimStep{4, {1, 72, 0, 0}}));
    ASSERT_TRUE(bench.read({115, 8, 2, 7}));
    EXPECT_EQ(bench.answer(), (Values{115, 8, 2, 7, 4, 1, 72, 0, 0}));

    bench.write({98, 9, 2});
    bench.write({99, 9, 11, 2, 22, 3, 30, 0, 0}); // "Blink alt" with fade in the last slot
    EXPECT_EQ(bench.sim->pin(9).steps[35], (SimStep{22, {3, 30, 0, 0}}));
    ASSERT_TRUE(bench.read({115, 9, 11, 2}));
    EXPECT_EQ(bench.session.link.answerSize(), 9);
}

TEST(SimulatorPins, StepsOutsideTheLayoutAreRefused) {
    SimBench bench;
    bench.write({98, 8, 3});
    bench.write({99, 8, 4, 0, 9, 0, 1, 0, 0}); // aspect 4 does not exist with four aspects
    bench.write({99, 8, 0, 9, 9, 0, 1, 0, 0}); // nor step 9
    for (const SimStep& step : bench.sim->pin(8).steps)
        EXPECT_EQ(step, SimStep{});
    ASSERT_TRUE(bench.read({115, 8, 0, 9}));
    EXPECT_EQ(bench.answer(), (Values{115, 8}));
    ASSERT_TRUE(bench.read({115, 10, 0, 0})); // a pin without aspects
    EXPECT_EQ(bench.session.link.answerSize(), 2);
}

TEST(SimulatorPins, InitialAspectAndEventOnSlotsShareTheirCodes) {
    SimBench bench;
    bench.write({100, 4, 0x72});
    bench.write({100, 4, 0 * 16 + 3, 1 * 16 + 15, 2 * 16 + 5, 3 * 16 + 11});
    ASSERT_TRUE(bench.read({116, 4}));
    EXPECT_EQ(bench.answer(), (Values{116, 4, 0x72, 3, 31, 37, 59}));
    bench.write({100, 4, 0x7F}); // the slots stay
    ASSERT_TRUE(bench.read({116, 4}));
    EXPECT_EQ(bench.answer(), (Values{116, 4, 0x7F, 3, 31, 37, 59}));
}

TEST(SimulatorPins, EventOffSlotsAreStoredByTheirInput) {
    SimBench bench;
    bench.write({101, 6, 3 * 16 + 2, 0 * 16 + 1, 1 * 16 + 15, 2 * 16 + 0});
    ASSERT_TRUE(bench.read({117, 6}));
    EXPECT_EQ(bench.answer(), (Values{117, 6, 1, 31, 32, 50}));
}

TEST(SimulatorPins, AddressConfigurationIsRecognisedByValue) {
    SimBench bench;
    bench.write({102, 5, 93, 3 + 8, 16 + 2}); // any order
    ASSERT_TRUE(bench.read({118, 5}));
    EXPECT_EQ(bench.answer(), (Values{118, 5, 11, 18, 93}));
    bench.write({102, 5, 40, 100, 17}); // only the serial count is valid
    EXPECT_EQ(bench.sim->pin(5).addressConfig, (std::array<std::uint8_t, 3>{11, 17, 93}));
}

TEST(SimulatorPins, ReadsOfUnknownPinsAnswerWithTheEchoAlone) {
    SimBench bench;
    for (int code : {81, 113, 114, 116, 117, 118}) {
        ASSERT_TRUE(bench.read({code, 32}));
        EXPECT_EQ(bench.answer(), (Values{code, 32}));
    }
}

TEST(SimulatorLive, SetAspectByPinAndBySerialAddress) {
    SimBench bench(MakeDefaultSimulator());
    bench.write({0, 0, 1, 2});
    EXPECT_EQ(bench.sim->shownAspect(1), 2);
    bench.write({0, 0, 1, 4}); // the four-aspect pin has no aspect 4
    EXPECT_EQ(bench.sim->shownAspect(1), 2);
    // Every pin has one serial address: address 0 is pin 0, address 1 pin 1.
    bench.sim->pin(0).addressConfig[1] = 16 + 3; // pin 0 now takes addresses 0..2
    bench.write({0, 1, 3, 1});
    EXPECT_EQ(bench.sim->shownAspect(1), 1);
    bench.write({0, 1, 2, 1});
    EXPECT_EQ(bench.sim->shownAspect(0), 1);
}

TEST(SimulatorLive, LevelsAndPositionsMoveOnlyOutputsOfTheirType) {
    SimBench bench(MakeDefaultSimulator()); // pin 0 servo, pin 1 PWM
    bench.write({0, 54, 1, 20});
    EXPECT_EQ(bench.sim->pin(1).activeBlock[1], 20);
    bench.write({0, 38, 1, 40}); // a level is at most 31
    EXPECT_EQ(bench.sim->pin(1).activeBlock[1], 31);
    bench.write({0, 39, 0, 127});
    EXPECT_EQ(bench.sim->pin(0).activeBlock[1], 127);
    bench.write({0, 55, 0, 0});
    EXPECT_EQ(bench.sim->pin(0).activeBlock[1], 0);
    bench.write({0, 39, 1, 5}); // a PWM pin is no servo
    bench.write({0, 38, 0, 5}); // and a servo no PWM output
    EXPECT_EQ(bench.sim->pin(1).activeBlock[1], 31);
    EXPECT_EQ(bench.sim->pin(0).activeBlock[1], 0);
    EXPECT_EQ(bench.sim->pin(0).flashBlock[1], 64);
}

TEST(SimulatorLive, EmptyRequestsCollectReportedMessages) {
    SimBench bench(MakeDefaultSimulator());
    ASSERT_TRUE(bench.read({}));
    EXPECT_EQ(bench.session.link.answerSize(), 0);
    bench.sim->queueReport({12, 0, 5, 100});
    bench.write({0, 0, 1, 3}); // an aspect change is reported too
    ASSERT_TRUE(bench.read({}));
    EXPECT_EQ(bench.answer(), (Values{12, 0, 5, 100}));
    ASSERT_TRUE(bench.read({}));
    EXPECT_EQ(bench.answer(), (Values{0, 0, 1, 3}));
    ASSERT_TRUE(bench.read({}));
    EXPECT_EQ(bench.session.link.answerSize(), 0);
}

TEST(SimulatorLive, ReportQueueKeepsTheNewestMessages) {
    auto sim = std::make_shared<Simulator>();
    for (int i = 0; i < SimReportQueueMax + 5; ++i)
        sim->queueReport({static_cast<std::uint8_t>(i), 0, 0, 0});
    EXPECT_EQ(sim->pendingReports(), static_cast<std::size_t>(SimReportQueueMax));
    SimBench bench(sim);
    ASSERT_TRUE(bench.read({}));
    EXPECT_EQ(bench.answer()[0], 5);
}

TEST(SimulatorAnswers, BidirectionalWritesAndUnknownRequestsEchoTwoBytes) {
    SimBench bench;
    ASSERT_TRUE(bench.read({96, 4, 44, 4}));
    EXPECT_EQ(bench.answer(), (Values{96, 4}));
    EXPECT_EQ(bench.sim->setting(SettingDccAddress), (std::vector<std::uint8_t>{44, 4}));
    ASSERT_TRUE(bench.read({0, 0, 1, 0}));
    EXPECT_EQ(bench.answer(), (Values{0, 0}));
    ASSERT_TRUE(bench.read({50, 1, 2}));
    EXPECT_EQ(bench.answer(), (Values{50, 1}));
    ASSERT_TRUE(bench.read({50}));
    EXPECT_EQ(bench.answer(), (Values{50}));
}

TEST(SimulatorDemo, StartStateHasConfiguredPins) {
    const auto sim = MakeDefaultSimulator();
    EXPECT_EQ(sim->pin(0).flashBlock[0], 1);
    EXPECT_EQ(sim->pin(1).flashBlock[0], 2);
    EXPECT_EQ(sim->pin(2).flashBlock[0], 5);
    // The four-aspect program of pin 1: aspect 3 is a loop of three steps.
    EXPECT_EQ(sim->pin(1).steps[*StepSlotIndex(LayoutFourByNine, 3, 2)].instruction, 1);
    EXPECT_EQ(sim->pin(1).initialAspect, 0x70);
    SimBench bench(sim);
    ASSERT_TRUE(bench.read({115, 1, 2, 0}));
    EXPECT_EQ(bench.answer(), (Values{115, 1, 2, 0, 22, 0, 30, 0, 0}));
}

} // namespace
} // namespace vexa
