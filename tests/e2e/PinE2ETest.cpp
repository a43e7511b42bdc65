// Pin transfer and verification as a user runs them: vexaconfig-cli against vexa-sim on a
// pseudo-terminal, through the real serial port adapter.

#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using vexa::test::HasLineStarting;
using vexa::test::SplitLines;
using CliResult = vexa::test::ProgramResult;

constexpr auto ProgramTimeLimit = std::chrono::seconds(30);

// vexa-sim with its start configuration, serving until it is stopped with SIGTERM.
struct SimProcess : vexa::test::DeviceServerProcess {
    SimProcess() : DeviceServerProcess(VEXA_SIM_PATH, {}) {}
};

// Runs vexaconfig-cli to its end, or kills it after the time limit.
CliResult RunCli(const std::vector<std::string>& args) {
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
}

TEST(PinE2E, PinsReadFromTheControllerVerify) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    const CliResult run = RunCli({"--port", sim.device(), "read-all-pins", "verify-pins"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    EXPECT_EQ(lines, (std::vector<std::string>{"Start Pin Verification", "Note: Numbering starts at 1", "Verify OK"}));
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(PinE2E, WrittenPinsStayInTheControllerBetweenRuns) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty());
    // The configuration the tool starts with: every pin empty.
    const CliResult written = RunCli({"--port", sim.device(), "--base", "0", "write-all-pins", "verify-pins"});
    ASSERT_EQ(written.status, 0) << written.out << written.err;
    EXPECT_EQ(SplitLines(written.out), (std::vector<std::string>{"Start Pin Verification", "Verify OK"}));

    // A new run starts empty again and finds the controller as the first one left it.
    const CliResult verified = RunCli({"--port", sim.device(), "verify-pins"});
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;
    EXPECT_EQ(SplitLines(verified.out).back(), "Verify OK");
}

TEST(PinE2E, WritePinChangesThatPinOnly) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty());
    // The simulator starts with configured pins 1..3 (as shown); writing the empty pin 2 over
    // its configured one leaves only the differences of pins 1 and 3.
    const CliResult run = RunCli({"--port", sim.device(), "write-pin", "2", "verify-pins"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_GE(lines.size(), 3u) << run.out;
    EXPECT_EQ(lines[0], "Start Pin Verification");
    EXPECT_TRUE(HasLineStarting(lines, "Pin 1: ")) << run.out;
    EXPECT_TRUE(HasLineStarting(lines, "Pin 3: ")) << run.out;
    EXPECT_FALSE(HasLineStarting(lines, "Pin 2: ")) << run.out;
    EXPECT_NE(lines.back(), "Verify OK");

    // On a fresh controller, pin 2 read first and written back keeps its configuration.
    SimProcess fresh;
    ASSERT_FALSE(fresh.device().empty());
    const CliResult kept = RunCli({"--port", fresh.device(), "read-pin", "2", "write-pin", "2", "verify-pins"});
    EXPECT_EQ(kept.status, 1) << kept.err;
    EXPECT_FALSE(HasLineStarting(SplitLines(kept.out), "Pin 2: ")) << kept.out;
    EXPECT_TRUE(HasLineStarting(SplitLines(kept.out), "Pin 1: ")) << kept.out;
}

TEST(PinE2E, PinNumberOutsideTheShownRangeFailsWithAMessage) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty());
    const CliResult run = RunCli({"--port", sim.device(), "read-pin", "33"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Invalid pin number \"33\": give a pin from 1 to 32"), std::string::npos) << run.err;

    const CliResult zeroBased = RunCli({"--port", sim.device(), "--base", "0", "read-device", "0"});
    EXPECT_EQ(zeroBased.status, 0) << zeroBased.err;
}

} // namespace
