#include "cli/CliRunner.h"

#include "cli/CliCommand.h"
#include "cli/CliPrompter.h"

#include "../link/ControllerScript.h"
#include "TestSeams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <fstream>
#include <sstream>

namespace vexa::cli {
namespace {

using Answer = std::optional<std::vector<int>>;

// A controller behind a scripted port: it answers the version and keeps an ID string.
struct ControllerFake {
    Answer reply(const std::vector<int>& request) {
        if (request.size() >= 2 && request[0] == 112 && request[1] == 0)
            return versionAnswer;
        if (request.size() >= 2 && request[0] == 112 && request[1] == 10) {
            std::vector<int> answer{112, 10};
            answer.insert(answer.end(), idString.begin(), idString.end());
            return answer;
        }
        if (request.size() >= 2 && request[0] == 96 && request[1] == 10) {
            idString.assign(request.begin() + 2, request.end());
            return std::vector<int>{96, 10};
        }
        return std::nullopt;
    }

    std::vector<int> versionAnswer{112, 0, 3, 1, 0, 12};
    std::string idString = "Yard";
};

// What a port saw, kept after the session has released the port.
struct PortRecord {
    std::string settings;
    std::vector<std::uint8_t> written;
};

// A scripted port that leaves its record behind when it goes.
struct RecordedPort : test::ScriptedPort {
    RecordedPort(test::FakeClock* clock, PortRecord& record) : ScriptedPort(clock), record_(record) {}
    ~RecordedPort() override {
        record_.settings = settings;
        record_.written = written;
    }

private:
    PortRecord& record_;
};

struct CliBench {
    CliBench() {
        provider.names = {"/dev/ttyUSB0", "Simulator"};
        provider.factory = [this](const std::string& name) -> std::unique_ptr<SerialPort> {
            auto port = std::make_unique<RecordedPort>(&clock, records.emplace_back());
            if (name == "/dev/busy") {
                port->failOpen = true;
                port->error = "Device or resource busy";
            }
            script = std::make_unique<test::ScriptedController>(
                *port, [this](const std::vector<int>& request) { return controller.reply(request); });
            return port;
        };
    }

    int run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunCli(args, provider, clock, out, err);
    }

    test::FakeClock clock;
    test::ScriptedPortProvider provider;
    ControllerFake controller;
    std::unique_ptr<test::ScriptedController> script;
    std::deque<PortRecord> records; // one per port made, in order
    std::ostringstream out;
    std::ostringstream err;
};

TEST(CliRunner, UsageErrorsExitTwoWithTheUsageText) {
    CliBench bench;
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"bogus"}, {"--port"}, {"--address", "99", "version"}, {"write-id"}}) {
        EXPECT_EQ(bench.run(args), ExitUsage);
        EXPECT_TRUE(bench.out.str().empty());
        EXPECT_NE(bench.err.str().find("Usage: vexaconfig-cli"), std::string::npos);
        for (const CliCommand& command : CliCommandTable())
            EXPECT_NE(bench.err.str().find(command.name), std::string::npos) << command.name;
    }
    EXPECT_TRUE(bench.records.empty()); // nothing was opened
}

TEST(CliRunner, HelpPrintsTheUsageAndSucceeds) {
    CliBench bench;
    EXPECT_EQ(bench.run({"--help"}), ExitSuccess);
    EXPECT_NE(bench.out.str().find("write-id TEXT"), std::string::npos);
}

TEST(CliRunner, RunsTheCommandsInOrderOnOneLink) {
    CliBench bench;
    EXPECT_EQ(bench.run({"--port", "/dev/ttyUSB0", "version", "read-id", "write-id", "Station 7", "read-id"}),
              ExitSuccess)
        << bench.err.str();
    EXPECT_EQ(bench.out.str(), "3.1.0.12\nYard\nStation 7\n");
    EXPECT_TRUE(bench.err.str().empty()) << bench.err.str();
    ASSERT_EQ(bench.records.size(), 1u);
    EXPECT_EQ(bench.records[0].settings, "19200,o,8,1");
    ASSERT_EQ(bench.script->requests.size(), 5u); // the empty synchronising frame and four requests
    EXPECT_EQ(bench.script->requests[3], (std::vector<int>{96, 10, 'S', 't', 'a', 't', 'i', 'o', 'n', ' ', '7'}));
}

TEST(CliRunner, StopsAtTheFirstFailingCommand) {
    CliBench bench;
    bench.controller.versionAnswer = {112, 0, 3, 1, 0};
    EXPECT_EQ(bench.run({"--port", "/dev/ttyUSB0", "read-id", "version", "write-id", "lost"}), ExitFailure);
    EXPECT_EQ(bench.out.str(), "Yard\n");
    EXPECT_EQ(bench.err.str(), "GetVersion: No valid response, size <> 6\n");
    EXPECT_EQ(bench.controller.idString, "Yard");
}

TEST(CliRunner, PortThatCannotBeOpenedIsAFailure) {
    CliBench bench;
    EXPECT_EQ(bench.run({"--port", "/dev/busy", "version"}), ExitFailure);
    EXPECT_EQ(bench.err.str(), "The serial port /dev/busy could not be opened: Device or resource busy\n");
    EXPECT_TRUE(bench.out.str().empty());
}

TEST(CliRunner, WithoutAPortEverySendAsksForOne) {
    CliBench bench;
    EXPECT_EQ(bench.run({"version"}), ExitFailure);
    EXPECT_EQ(bench.err.str(), "Select communications port\n");
}

TEST(CliRunner, AddressOptionsGoIntoTheFrames) {
    CliBench bench;
    bench.provider.factory = [&bench](const std::string&) -> std::unique_ptr<SerialPort> {
        return std::make_unique<RecordedPort>(&bench.clock, bench.records.emplace_back());
    };
    EXPECT_EQ(bench.run({"--port", "x", "--address", "6", "--xaddress", "10", "--one-way", "write-id", "A"}),
              ExitSuccess);
    const std::vector<std::uint8_t>& written = bench.records.at(0).written;
    ASSERT_GE(written.size(), 7u);
    const std::vector<std::uint8_t> request(written.end() - 7, written.end()); // H, C, X, 96, 10, A, K
    EXPECT_EQ(request[0], 64 + 5 * 4 + 3);
    EXPECT_EQ(request[1], 0xC0 + 16 + 3); // one-way, eXtended Address, three data bytes
    EXPECT_EQ(request[2], 128 + 9);
    EXPECT_EQ(request[5], 128 + 'A');
}

TEST(CliRunner, BitRateAndBaseOptionsApply) {
    CliBench bench;
    EXPECT_EQ(bench.run({"--port", "/dev/ttyUSB0", "--bitrate", "9600", "--base", "0", "--address", "0", "version"}),
              ExitSuccess);
    EXPECT_EQ(bench.records.at(0).settings, "9600,o,8,1");
    EXPECT_EQ(bench.script->headers.back(), 64 + 3);
}

TEST(CliRunner, WriteIdCutsLongTextAndRefusesOtherCharacters) {
    CliBench bench;
    EXPECT_EQ(bench.run({"--port", "/dev/ttyUSB0", "write-id", "ABCDEFGHIJKLMN"}), ExitSuccess);
    EXPECT_EQ(bench.controller.idString, "ABCDEFGHIJKL");
    EXPECT_EQ(bench.out.str(), "ID string cut to 12 characters: ABCDEFGHIJKL\n");

    EXPECT_EQ(bench.run({"--port", "/dev/ttyUSB0", "write-id", "Gr\xC3\xBC\xC3\x9F"}), ExitFailure);
    EXPECT_EQ(bench.controller.idString, "ABCDEFGHIJKL");
    EXPECT_FALSE(bench.err.str().empty());
}

TEST(CliRunner, PortsListsTheScanWithWhatTheSystemSays) {
    CliBench bench;
    EXPECT_EQ(bench.run({"ports"}), ExitSuccess);
    EXPECT_EQ(bench.out.str(), "/dev/ttyUSB0\nSimulator\n");

    struct DescribedPorts : test::ScriptedPortProvider {
        std::vector<PortInfo> listPorts() override {
            return {{"Simulator", "", "", false, {}},
                    {"COM10", "", "", false, {}},
                    {"COM3", "USB Serial Port", "FTDI", true, {}}};
        }
    } described;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli({"ports"}, described, bench.clock, out, err), ExitSuccess);
    EXPECT_EQ(out.str(), "COM3 \u2013 USB Serial Port (FTDI)\nCOM10\nSimulator\n");
}

TEST(CliRunner, TraceFileHoldsTheLinkTrace) {
    CliBench bench;
    const std::string fileName = ::testing::TempDir() + "vexa_cli_trace.txt";
    std::remove(fileName.c_str());
    EXPECT_EQ(bench.run({"--port", "/dev/ttyUSB0", "--trace", fileName, "version"}), ExitSuccess);
    std::ifstream file(fileName, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), ">  [43] [62] [70] [00]\r\n<  [43] [66] [70] [00] [03] [01] [00] [0C]\r\n");
    std::remove(fileName.c_str());

    EXPECT_EQ(bench.run({"--trace", "/nonexistent-dir/trace.txt", "ports"}), ExitFailure);
    EXPECT_NE(bench.err.str().find("/nonexistent-dir/trace.txt"), std::string::npos);
}

TEST(CliPrompter, PrintsMessagesAndAnswersQuestions) {
    std::ostringstream stream;
    CliPrompter no(stream, false);
    EXPECT_TRUE(no.ask(MessageKind::OkError, "Line one\r\nLine two"));
    EXPECT_FALSE(no.ask(MessageKind::OkCancelWarning, "Go on?"));
    EXPECT_FALSE(no.ask(MessageKind::YesNo, "Sure?"));
    EXPECT_EQ(stream.str(), "Line one\r\nLine two\nGo on?\n-> Cancel\nSure?\n-> No\n");

    std::ostringstream yesStream;
    CliPrompter yes(yesStream, true);
    EXPECT_TRUE(yes.ask(MessageKind::OkCancelWarning, "Go on?"));
    EXPECT_TRUE(yes.ask(MessageKind::YesNo, "Sure?"));
    EXPECT_TRUE(yes.ask(MessageKind::Ok, "Done"));
    EXPECT_EQ(yesStream.str(), "Go on?\n-> OK\nSure?\n-> Yes\nDone\n");
}

} // namespace
} // namespace vexa::cli
