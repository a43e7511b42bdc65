// Event control as a user runs it: vexaconfig-cli against vexa-sim on a pseudo-terminal,
// through the real serial port adapter.

#include "ProcessRunner.h"
#include "SimStateFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vexa::test::SplitLines;
using CliResult = vexa::test::ProgramResult;

constexpr auto ProgramTimeLimit = std::chrono::seconds(30);

struct SimProcess : vexa::test::DeviceServerProcess {
    explicit SimProcess(const std::vector<std::string>& args = {}) : DeviceServerProcess(VEXA_SIM_PATH, args) {}
};

CliResult RunCli(const std::vector<std::string>& args) {
    return vexa::test::RunProgram(VEXA_CLI_PATH, args, ProgramTimeLimit);
}

std::string TempPath(const std::string& name) {
    return (fs::temp_directory_path() / ("vexa-event-e2e-" + std::to_string(getpid()) + "-" + name)).string();
}

std::string ReadFile(const std::string& path) {
    return vexa::test::ReadWholeFile(path);
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// The "Eon" and "Eof" lines of a data file, in order.
std::vector<std::string> EventLines(const std::string& path) {
    std::vector<std::string> lines;
    for (const std::string& line : SplitLines(ReadFile(path)))
        if (line.rfind("\"Eon\",", 0) == 0 || line.rfind("\"Eof\",", 0) == 0)
            lines.push_back(line);
    return lines;
}

// A data file saved by a fresh run, with every pin given its own actions (stored + 1: 0..12).
std::string DataFileWithEvents() {
    const std::string path = TempPath("events.dat");
    const CliResult saved = RunCli({"save", path});
    EXPECT_EQ(saved.status, 0) << saved.err;
    std::string text;
    for (std::string line : SplitLines(ReadFile(path))) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const bool on = line.rfind("\"Eon\",", 0) == 0;
        if (on || line.rfind("\"Eof\",", 0) == 0) {
            const int pin = std::stoi(line.substr(6));
            line = line.substr(0, 6) + std::to_string(pin);
            for (int k = 0; k < 4; ++k) {
                line += ',';
                line += std::to_string((pin * 3 + k * 5 + (on ? 0 : 7)) % 13);
            }
        }
        text += line + "\r\n";
    }
    WriteFile(path, text);
    return path;
}

TEST(EventE2E, WrittenEventsReadIntoAFreshRunSaveTheSameLines) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    const std::string written = DataFileWithEvents();
    const CliResult write = RunCli({"--port", sim.device(), "load", written, "write-events"});
    ASSERT_EQ(write.status, 0) << write.out << write.err;

    const std::string readBack = TempPath("read.dat");
    const CliResult read = RunCli({"--port", sim.device(), "read-events", "save", readBack});
    ASSERT_EQ(read.status, 0) << read.out << read.err;
    const std::vector<std::string> expected = EventLines(written);
    EXPECT_EQ(expected.size(), 64u);
    EXPECT_EQ(EventLines(readBack), expected);
    // Pin 2 (as shown): stored values 3 8 0 5 and 10 2 7 12, each one more than the action.
    const std::vector<std::string> listing = SplitLines(read.out);
    ASSERT_EQ(listing.size(), 33u) << read.out;
    EXPECT_EQ(listing[1], "Pin 2 ON: 2 7 -1 4 OFF: 9 1 6 11");
    // The file holds no enable map: the controller keeps its own (all enabled, as it starts).
    EXPECT_EQ(listing[32], "Initial enable ON: 1 1 1 1 OFF: 1 1 1 1");
    fs::remove(written);
    fs::remove(readBack);
}

TEST(EventE2E, VerifyEventsReportsTheOneSlotChangedInsideTheController) {
    const std::string state = TempPath("state.txt");
    const std::string written = DataFileWithEvents();
    fs::remove(state);
    {
        SimProcess sim({"--state", state});
        ASSERT_FALSE(sim.device().empty());
        const CliResult write = RunCli({"--port", sim.device(), "load", written, "write-events", "verify-events"});
        ASSERT_EQ(write.status, 0) << write.out << write.err;
        EXPECT_EQ(SplitLines(write.out).back(), "Verify OK");
        sim.terminate();
        ASSERT_EQ(sim.waitExit(), 0);
    }
    // Pin 4 (internal) has the On action 12 % 13 - 1 = 11 for input 0: the controller now says 6.
    std::string text = ReadFile(state);
    const std::string item = "pin 4 eventon 11 ";
    const std::size_t at = text.find(item);
    ASSERT_NE(at, std::string::npos) << text;
    text.replace(at, item.size(), "pin 4 eventon 6 ");
    WriteFile(state, text);

    SimProcess sim({"--state", state});
    ASSERT_FALSE(sim.device().empty());
    const CliResult verify = RunCli({"--port", sim.device(), "load", written, "verify-events"});
    EXPECT_EQ(verify.status, 1) << verify.err;
    EXPECT_EQ(
        SplitLines(verify.out),
        (std::vector<std::string>{"Start EC Verification", "Note: Numbering starts at 1",
                                  "Event-On(0) for pin 5 does not compare: Configured Action = 11, Vexa Reply = 6",
                                  "ECInit: initial enable map unknown, not compared"}));
    fs::remove(state);
    fs::remove(written);
}

} // namespace
