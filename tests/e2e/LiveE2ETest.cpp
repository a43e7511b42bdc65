// Live control as a user runs it: vexaconfig-cli moves the outputs of vexa-sim, which writes
// what each output shows when it stops.

#include "ProcessRunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using vexa::test::SplitLines;

constexpr auto ProgramTimeLimit = std::chrono::seconds(30);

std::string OutputsPath() {
    return (std::filesystem::temp_directory_path() / ("vexa-live-" + std::to_string(::getpid()) + ".txt")).string();
}

// Runs the command line against a fresh vexa-sim and returns the lines of its outputs dump.
std::vector<std::string> OutputsAfter(const std::vector<std::string>& commands, vexa::test::ProgramResult& run) {
    const std::string path = OutputsPath();
    std::vector<std::string> lines;
    {
        vexa::test::DeviceServerProcess sim(VEXA_SIM_PATH, {"--dump-outputs", path});
        if (sim.device().empty())
            return lines;
        std::vector<std::string> args{"--port", sim.device()};
        args.insert(args.end(), commands.begin(), commands.end());
        run = vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
        sim.terminate();
        EXPECT_EQ(sim.waitExit(), 0);
    }
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::remove(path.c_str());
    return SplitLines(text.str());
}

TEST(LiveE2E, SetAspectServoAndLampTestShowInTheSimulatorsOutputs) {
    vexa::test::ProgramResult run;
    // The simulator starts with a servo on pin 1 and a PWM output with aspects on pin 2.
    const std::vector<std::string> lines = OutputsAfter({"set-aspect", "2", "1", "servo", "1", "-10"}, run);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "output 0 servo aspect 0 position -10");
    EXPECT_EQ(lines[1].rfind("output 1 pwm aspect 1 ", 0), 0u) << lines[1];

    const std::vector<std::string> lamps = OutputsAfter({"--base", "0", "lamp-test"}, run);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(lamps.size(), 32u);
    for (const std::string& line : lamps)
        EXPECT_NE(line.find(" lamp-test"), std::string::npos) << line;
}

TEST(LiveE2E, OutOfRangeArgumentsAreRefusedWithAMessage) {
    vexa::test::ProgramResult run;
    const std::vector<std::string> lines = OutputsAfter({"servo", "1", "-70"}, run);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Invalid servo position \"-70\": give a number from -64 to 63"), std::string::npos)
        << run.err;
    // The servo stays where a run that moves nothing leaves it.
    vexa::test::ProgramResult untouched;
    EXPECT_EQ(lines, OutputsAfter({"version"}, untouched));
    EXPECT_EQ(lines.size(), 32u);
}

} // namespace
