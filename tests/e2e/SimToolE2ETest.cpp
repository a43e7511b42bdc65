// vexa-sim as a user runs it: started as a program, reached through its pseudo-terminal with
// the real link, stopped with SIGTERM.

#include "TestSeams.h"

#include "core/Clock.h"
#include "link/Exchange.h"
#include "sim/Simulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

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
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args) {
        int out[2];
        int err[2];
        if (pipe(out) != 0 || pipe(err) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(VEXA_SIM_PATH)};
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(VEXA_SIM_PATH, argv.data());
            _exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
        fcntl(err_, F_SETFL, fcntl(err_, F_GETFL) | O_NONBLOCK); // never wait for more error text
    }
    ~SimProcess() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        ::close(out_);
        ::close(err_);
    }

    // The first line of its output, within the time limit.
    std::string firstLine(int timeoutMs = 5000) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd fd{out_, POLLIN, 0};
            if (poll(&fd, 1, 100) != 1)
                continue;
            char c = 0;
            if (read(out_, &c, 1) != 1 || c == '\n')
                break;
            line += c;
        }
        return line;
    }

    // Exit code after the program ended within the limit, or -1.
    int waitExit(int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(20'000);
        }
        return -1;
    }

    std::string errorText() {
        std::string text;
        char buffer[256];
        for (ssize_t n; (n = read(err_, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }

    void stop() { kill(pid_, SIGTERM); }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool exited_ = false;
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
    const std::string device = sim.firstLine();
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

    sim.stop();
    EXPECT_EQ(sim.waitExit(), 0) << sim.errorText();
    Simulator saved;
    std::string error;
    ASSERT_TRUE(saved.load(state, error)) << error;
    EXPECT_EQ(saved.idString(), "E2E");
    fs::remove(state);
}

TEST(SimToolE2E, AClientThatClosesDoesNotEndTheService) {
    SimProcess sim({"--fault", "stray"});
    const std::string device = sim.firstLine();
    ASSERT_FALSE(device.empty()) << sim.errorText();
    for (int round = 0; round < 2; ++round) {
        LinkBench bench(device);
        ASSERT_TRUE(bench.opened);
        SendVexaMessage(bench.session, true, {112, 0});
        EXPECT_TRUE(bench.session.link.answerValid) << "round " << round << ": " << bench.prompter.last();
    }
    sim.stop();
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
