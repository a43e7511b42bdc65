// vexaconfig-cli as a user runs it: against vexa-sim on a pseudo-terminal, through the real
// serial port adapter.

#include "ProcessRunner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

using vexa::test::SplitLines;
using CliResult = vexa::test::ProgramResult;

// Only against a program that hangs: a loaded machine may be slow (bench_cli_runs times them).
constexpr auto ProgramTimeLimit = std::chrono::seconds(60);

// vexa-sim, serving on a pseudo-terminal until it is stopped.
struct SimProcess : vexa::test::DeviceServerProcess {
    explicit SimProcess(const std::vector<std::string>& options) : DeviceServerProcess(VEXA_SIM_PATH, options) {}
};

// Runs vexaconfig-cli to its end, or kills it after the time limit.
CliResult RunCli(const std::vector<std::string>& args) {
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
}

TEST(CliIdentityE2E, ReadsVersionAndWritesTheIdStringOverAPseudoTerminal) {
    SimProcess sim({});
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    const CliResult run = RunCli({"--port", sim.device(), "version", "read-id", "write-id", "Shed 2", "read-id"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = SplitLines(run.out);
    ASSERT_EQ(lines.size(), 3u) << run.out;
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+"))) << lines[0];
    EXPECT_EQ(lines[2], "Shed 2");
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(CliIdentityE2E, TheIdStringStaysInTheControllerBetweenRuns) {
    SimProcess sim({"--address", "3", "--xaddress", "20"});
    ASSERT_FALSE(sim.device().empty());
    const std::vector<std::string> link{"--port",    sim.device(), "--bitrate",  "38400",
                                        "--address", "4",          "--xaddress", "21"};
    std::vector<std::string> write = link;
    write.insert(write.end(), {"write-id", "Branch line 9"});
    const CliResult written = RunCli(write);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "ID string cut to 12 characters: Branch line \n");

    std::vector<std::string> read = link;
    read.push_back("read-id");
    const CliResult readBack = RunCli(read);
    ASSERT_EQ(readBack.status, 0) << readBack.err;
    EXPECT_EQ(readBack.out, "Branch line \n");
}

TEST(CliIdentityE2E, WrongAddressGetsNoResponse) {
    SimProcess sim({"--address", "3"});
    ASSERT_FALSE(sim.device().empty());
    const CliResult run = RunCli({"--port", sim.device(), "--address", "2", "version", "read-id"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err, "No response received, resetting bidirectional communication\n");
    EXPECT_GE(run.seconds, 2.0);
}

TEST(CliIdentityE2E, WritesToAControllerThatDoesNotAnswerFail) {
    SimProcess sim({"--fault", "drop"});
    ASSERT_FALSE(sim.device().empty());
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"write-id", "Shed 2"}, std::vector<std::string>{"write-all"}}) {
        std::vector<std::string> args{"--port", sim.device()};
        args.insert(args.end(), command.begin(), command.end());
        const CliResult run = RunCli(args);
        EXPECT_EQ(run.status, 1) << command[0] << ": " << run.out;
        EXPECT_EQ(run.out.find("done"), std::string::npos) << run.out;
        EXPECT_EQ(run.err.rfind("No response received, resetting bidirectional communication\n", 0), 0u) << run.err;
    }
}

// With --retries a lost answer is asked again: the run succeeds and says how many retries it took.
TEST(CliIdentityE2E, ALostAnswerIsAskedAgainWithRetries) {
    SimProcess sim({"--fault", "drop:1"});
    ASSERT_FALSE(sim.device().empty());
    const CliResult run = RunCli({"--port", sim.device(), "--retries", "1", "read-all"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Read All done (1 retry)\n");
    EXPECT_TRUE(run.err.empty()) << run.err;
}

// Every command counts its retries, once: Write Changes in its own line, a command that prints
// data or nothing in a line beside its output.
TEST(CliIdentityE2E, EveryCommandSaysTheRetriesItTook) {
    struct Case {
        std::string command;
        std::string outStart;
        std::string outEnd;
        std::string err;
    };
    for (const Case& c : {Case{"read-id", "Vexa Sim\n", "Vexa Sim\n", "read-id done (1 retry)\n"},
                          Case{"read-all-pins", "", "", "read-all-pins done (1 retry)\n"},
                          Case{"write-changes", "Write Changes done: ", " (1 retry)\n", ""}}) {
        SimProcess sim({"--fault", "drop:1"});
        ASSERT_FALSE(sim.device().empty());
        const CliResult run = RunCli({"--port", sim.device(), "--retries", "1", c.command});
        EXPECT_EQ(run.status, 0) << c.command << ": " << run.err;
        EXPECT_TRUE(run.out.starts_with(c.outStart) && run.out.ends_with(c.outEnd)) << c.command << ": " << run.out;
        EXPECT_TRUE(run.err.ends_with(c.err)) << c.command << ": " << run.err;
        const std::string both = run.out + run.err;
        EXPECT_EQ(both.find("retry"), both.rfind("retry")) << c.command << ": said once, " << both;
    }
}

TEST(CliIdentityE2E, DeviceThatGoesAwayDuringTheWaitEndsTheRunWithOneMessage) {
    SimProcess sim({"--fault", "late", "--late-ms", "5000"});
    ASSERT_FALSE(sim.device().empty());
    bool opened = false;
    std::thread killer([&sim, &opened] { // as soon as the program has the port open
        opened = sim.waitForClient();
        sim.killNow();
    });
    const CliResult run = RunCli({"--port", sim.device(), "version", "read-id"});
    killer.join();
    EXPECT_TRUE(opened);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err.rfind("The serial port " + sim.device() + " stopped working", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find("stopped working", run.err.find("stopped working") + 1), std::string::npos) << run.err;
}

// The answer to the first run comes after its wait, during the second run's first wait: the
// second run drops it and takes its own answers.
TEST(CliIdentityE2E, ALateAnswerDoesNotSpoilTheNextRun) {
    SimProcess sim({"--fault", "late:1", "--late-ms", "2300"});
    ASSERT_FALSE(sim.device().empty());
    const CliResult first = RunCli({"--port", sim.device(), "read-id"});
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.err, "No response received, resetting bidirectional communication\n");
    const CliResult second = RunCli({"--port", sim.device(), "version", "read-id"});
    ASSERT_EQ(second.status, 0) << second.err;
    const std::vector<std::string> lines = SplitLines(second.out);
    ASSERT_EQ(lines.size(), 2u) << second.out;
    EXPECT_TRUE(std::regex_match(lines[0], std::regex("[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+"))) << lines[0];
    EXPECT_TRUE(second.err.empty()) << second.err;
}

// Ctrl+C during a backup on a slow line: the exchange under way ends, the command fails with
// exit 1 and nothing is saved; the next run works at once.
TEST(CliIdentityE2E, CtrlCStopsTheRunAndLeavesThePortClean) {
    SimProcess sim({"--pace", "2400"});
    ASSERT_FALSE(sim.device().empty());
    const std::string file = ::testing::TempDir() + "ctrl_c_backup.dat";
    std::remove(file.c_str());
    vexa::test::ChildProcess cli(VEXA_CLI_PATH, {"--port", sim.device(), "read-all", "save", file},
                                 vexa::test::ErrorOutput::Captured);
    // Once the program has the port open, "read-all" starts on the slow line.
    ASSERT_TRUE(sim.waitForClient());
    cli.interrupt();
    EXPECT_EQ(cli.waitExit(std::chrono::seconds(30)), 1);
    EXPECT_NE(cli.errorText().find("Stopped by the user"), std::string::npos) << cli.errorText();
    EXPECT_FALSE(std::ifstream(file).good());

    const CliResult next = RunCli({"--port", sim.device(), "version"});
    EXPECT_EQ(next.status, 0) << next.err;
    EXPECT_TRUE(next.err.empty()) << next.err;
}

// A program killed while it held the port may leave odd line settings behind; they do not keep
// the port from opening.
TEST(CliIdentityE2E, APortLeftWithOddParityOpens) {
    SimProcess sim({});
    ASSERT_FALSE(sim.device().empty());
    const int fd = ::open(sim.device().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios line{};
    ASSERT_EQ(::tcgetattr(fd, &line), 0);
    line.c_cflag |= PARODD | CSTOPB;
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &line), 0);
    ::close(fd);
    const CliResult run = RunCli({"--port", sim.device(), "version"});
    EXPECT_EQ(run.status, 0) << run.err;
}

TEST(CliIdentityE2E, PortThatCannotBeOpenedFailsWithItsName) {
    const CliResult run = RunCli({"--port", "/dev/vexa-no-such-port", "version"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("/dev/vexa-no-such-port"), std::string::npos) << run.err;
}

TEST(CliIdentityE2E, UsageErrorExitsTwo) {
    const CliResult run = RunCli({"--bitrate", "1200", "version"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Usage: vexaconfig-cli"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
}

} // namespace
