// The device library as a user scripts it: vexaconfig-cli finds the standard library beside
// itself, loads a device and writes it to vexa-sim over a pseudo-terminal.

#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using vexa::test::SplitLines;

constexpr auto ProgramTimeLimit = std::chrono::seconds(30);

TEST(DeviceE2E, StandardDeviceLoadedWrittenAndVerified) {
    const vexa::test::ProgramResult listed = vexa::test::RunProgram(VEXA_CLI_PATH, {"devices"}, ProgramTimeLimit);
    ASSERT_EQ(listed.status, 0) << listed.err;
    const std::vector<std::string> names = SplitLines(listed.out);
    ASSERT_GE(names.size(), 9u);
    EXPECT_EQ(names[1], "Signal 3 aspects");
    EXPECT_EQ(names.back(), "Standard devices 1.0");

    vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {});
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    // vexa-sim starts with a demonstration on pins 1..3: read it in so that the rest compares.
    const vexa::test::ProgramResult run =
        vexa::test::RunProgram(VEXA_CLI_PATH,
                               {"--port", sim.device(), "read-all-pins", "load-device", "Signal 3 aspects", "30",
                                "write-device", "30", "verify-pins"},
                               ProgramTimeLimit);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(SplitLines(run.out).back(), "Verify OK");
    EXPECT_TRUE(run.err.empty()) << run.err;
}

} // namespace
