// vexa-sim as a user runs it: started as a program, reached through its pseudo-terminal with
// the real link, stopped with SIGTERM.

#include "ProcessRunner.h"
#include "TestSeams.h"

#include "core/Clock.h"
#include "link/Exchange.h"
#include "sim/Simulator.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace vexa {
namespace {

namespace fs = std::filesystem;

// A serial port on a terminal device through plain termios.
class TermiosPort : public SerialPort {
public:
    ~TermiosPort() override { close(); }
    bool open(const std::string& name) override {
        fd_ = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd_ < 0)
            return false;
        termios settings{};
        tcgetattr(fd_, &settings);
        cfmakeraw(&settings);
        cfsetspeed(&settings, B19200);
        tcsetattr(fd_, TCSANOW, &settings);
        return true;
    }
    void close() override {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    bool isOpen() const override { return fd_ >= 0; }
    bool setSettings(const std::string&) override { return true; }
    bool writeByte(std::uint8_t byte) override { return write(fd_, &byte, 1) == 1; }
    int bytesWaiting() override {
        int count = 0;
        return ioctl(fd_, FIONREAD, &count) == 0 ? count : -1;
    }
    int readByte() override {
        std::uint8_t byte = 0;
        return read(fd_, &byte, 1) == 1 ? byte : -1;
    }
    bool waitReadable(int timeoutMs) override {
        pollfd fd{fd_, POLLIN, 0};
        return poll(&fd, 1, timeoutMs) == 1 && (fd.revents & POLLIN);
    }
    std::string errorString() const override { return "terminal failed"; }

private:
    int fd_ = -1;
};

// A running vexa-sim with its standard output and error read through pipes.
struct SimProcess : test::ChildProcess {
    explicit SimProcess(const std::vector<std::string>& args)
        : ChildProcess(VEXA_SIM_PATH, args, test::ErrorOutput::Captured) {}
};

struct LinkBench {
    explicit LinkBench(const std::string& device) {
        auto port = std::make_unique<TermiosPort>();
        opened = port->open(device);
        session.port.port = std::move(port);
        session.port.name = device;
    }
    test::RecordingPrompter prompter;
    SystemClock clock;
    test::ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    bool opened = false;
};

std::string TempPath(const std::string& name) {
    return (fs::temp_directory_path() / ("vexa-sim-e2e-" + std::to_string(getpid()) + "-" + name)).string();
}

TEST(SimToolE2E, ServesRequestsOnItsTerminalAndSavesItsStateAtTheEnd) {
    const std::string state = TempPath("state.txt");
    fs::remove(state);
    SimProcess sim({"--address", "3", "--state", state});
    const std::string device = sim.readLine();
    ASSERT_EQ(device.rfind("/dev/", 0), 0u) << device << sim.errorText();

    {
        LinkBench bench(device);
        ASSERT_TRUE(bench.opened);
        bench.session.link.moduleAddress = 3;
        SendVexaMessage(bench.session, true, {112, 0});
        ASSERT_TRUE(bench.session.link.answerValid) << bench.prompter.last();
        EXPECT_EQ(bench.session.link.answerSize(), 6);
        EXPECT_EQ(bench.session.link.answerData(2), 3);
        EXPECT_EQ(bench.session.link.answerData(5), 12);

        bench.session.link.bidirectional = false;
        SendVexaMessage(bench.session, false, {96, 10, 'E', '2', 'E'});
        bench.session.link.bidirectional = true;
        SendVexaMessage(bench.session, true, {112, 10});
        ASSERT_TRUE(bench.session.link.answerValid) << bench.prompter.last();
        EXPECT_EQ(bench.session.link.answerSize(), 5);
        EXPECT_EQ(bench.session.link.answerData(2), 'E');
    }

    sim.terminate();
    EXPECT_EQ(sim.waitExit(), 0) << sim.errorText();
    Simulator saved;
    std::string error;
    ASSERT_TRUE(saved.load(state, error)) << error;
    EXPECT_EQ(saved.idString(), "E2E");
    fs::remove(state);
}

TEST(SimToolE2E, AClientThatClosesDoesNotEndTheService) {
    SimProcess sim({"--fault", "stray"});
    const std::string device = sim.readLine();
    ASSERT_FALSE(device.empty()) << sim.errorText();
    for (int round = 0; round < 2; ++round) {
        LinkBench bench(device);
        ASSERT_TRUE(bench.opened);
        SendVexaMessage(bench.session, true, {112, 0});
        EXPECT_TRUE(bench.session.link.answerValid) << "round " << round << ": " << bench.prompter.last();
    }
    sim.terminate();
    EXPECT_EQ(sim.waitExit(), 0);
}

TEST(SimToolE2E, BadOptionsShowTheUsageAndExitWithTwo) {
    SimProcess sim({"--address", "20"});
    EXPECT_EQ(sim.waitExit(), 2);
    const std::string text = sim.errorText();
    EXPECT_NE(text.find("--address"), std::string::npos) << text;
    EXPECT_NE(text.find("Usage: vexa-sim"), std::string::npos) << text;
}

TEST(SimToolE2E, AMalformedStateFileIsKeptAndReported) {
    const std::string state = TempPath("bad.txt");
    std::ofstream(state) << "VexaSimState 1\nsetting 4 1\n";
    SimProcess sim({"--state", state});
    EXPECT_EQ(sim.waitExit(), 1);
    EXPECT_NE(sim.errorText().find("line 2"), std::string::npos);
    std::ifstream in(state);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "VexaSimState 1\nsetting 4 1\n");
    fs::remove(state);
}

} // namespace
} // namespace vexa
