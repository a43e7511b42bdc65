// The simulated controller while it erases its configuration memory.

#include "SimTestBench.h"
#include "WaitUntil.h"

#include "module/SettingsVerification.h"
#include "sim/SimToolOptions.h"

#include <gtest/gtest.h>

namespace vexa {
namespace {

TEST(SimulatorErase, StaysSilentForTheEraseTimeThenAnswersWithTheErasedMemory) {
    test::SimBench bench;
    bench.sim->setEraseTime(std::chrono::milliseconds(1000));
    bench.sim->setting(6) = {5};
    bench.write({96, 0, 33, 91, 12, 5, 60, 17, 88, 2});
    EXPECT_FALSE(bench.read({112, 0}));
    bench.write({96, 6, 9}); // taken by nobody while busy
    ASSERT_TRUE(test::WaitUntil([&bench] { return !bench.sim->busyErasing(); }));
    ASSERT_TRUE(bench.read({112, 6}));
    EXPECT_EQ(bench.answer(), (std::vector<int>{112, 6, 0}));

    // The erased controller verifies against a fresh image.
    bench.session.verificationReport.clear();
    EXPECT_TRUE(VerifyGeneralSettings(bench.session)) << bench.session.verificationReport;
}

TEST(SimulatorErase, EraseTimeIsAnOptionOfTheTool) {
    SimToolOptions options;
    std::string error;
    EXPECT_EQ(options.eraseTimeMs, 3000);
    ASSERT_TRUE(ParseSimToolOptions({"--erase-time", "45"}, options, error)) << error;
    EXPECT_EQ(options.eraseTimeMs, 45000);
    EXPECT_FALSE(ParseSimToolOptions({"--erase-time", "46"}, options, error));
    Simulator simulator;
    ApplySimToolOptions(options, simulator);
    EXPECT_EQ(simulator.eraseTime(), std::chrono::milliseconds(45000));
}

} // namespace
} // namespace vexa
