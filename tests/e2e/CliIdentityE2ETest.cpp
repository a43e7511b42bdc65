// vexaconfig-cli as a user runs it: against vexa-sim on a pseudo-terminal, through the real
// serial port adapter.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto ProgramTimeLimit = std::chrono::seconds(8);

std::vector<char*> ArgumentVector(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    return argv;
}

// Starts a program with its standard output (and error, when wanted) on pipes.
pid_t Spawn(std::vector<std::string> args, int& outFd, int* errFd) {
    int out[2];
    int err[2] = {-1, -1};
    if (pipe(out) != 0 || (errFd && pipe(err) != 0))
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (errFd)
            dup2(err[1], STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        if (errFd) {
            close(err[0]);
            close(err[1]);
        }
        std::vector<char*> argv = ArgumentVector(args);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    outFd = out[0];
    if (errFd) {
        close(err[1]);
        *errFd = err[0];
    }
    return pid;
}

// vexa-sim, serving on a pseudo-terminal until it is stopped.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> options) {
        options.insert(options.begin(), VEXA_SIM_PATH);
        pid_ = Spawn(options, outFd_, nullptr);
        if (pid_ <= 0)
            return;
        // The first line of its output is the device name.
        std::string line;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline && line.find('\n') == std::string::npos) {
            pollfd fd{outFd_, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0)
                continue;
            char buffer[256];
            const ssize_t got = read(outFd_, buffer, sizeof buffer);
            if (got <= 0)
                break;
            line.append(buffer, static_cast<std::size_t>(got));
        }
        if (line.find('\n') != std::string::npos)
            device_ = line.substr(0, line.find('\n'));
    }
    ~SimProcess() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = Clock::now() + std::chrono::seconds(3);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            usleep(10000);
        }
        close(outFd_);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& device() const { return device_; }

    // Ends the simulator at once, as a pulled cable would, closing its side of the terminal.
    void killNow() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        close(outFd_);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    std::string device_;
};

struct CliResult {
    int status = -1; // exit status, -1 when it did not exit by itself
    std::string out;
    std::string err;
    double seconds = 0;
};

// Runs vexaconfig-cli to its end, or kills it after the time limit.
CliResult RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), VEXA_CLI_PATH);
    CliResult result;
    int outFd = -1;
    int errFd = -1;
    const auto start = Clock::now();
    const pid_t pid = Spawn(args, outFd, &errFd);
    if (pid <= 0)
        return result;
    std::string* texts[2] = {&result.out, &result.err};
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    bool killed = false;
    while (open > 0) {
        if (!killed && Clock::now() - start > ProgramTimeLimit) {
            kill(pid, SIGKILL);
            killed = true;
        }
        if (poll(fds, 2, 100) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            char buffer[4096];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!killed && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

TEST(CliIdentityE2E, ReadsVersionAndWritesTheIdStringOverAPseudoTerminal) {
    SimProcess sim({});
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    const CliResult run = RunCli({"--port", sim.device(), "version", "read-id", "write-id", "Shed 2", "read-id"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
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

TEST(CliIdentityE2E, DeviceThatGoesAwayDuringTheWaitEndsTheRunWithOneMessage) {
    SimProcess sim({"--fault", "late", "--late-ms", "5000"});
    ASSERT_FALSE(sim.device().empty());
    std::thread killer([&sim] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        sim.killNow();
    });
    const CliResult run = RunCli({"--port", sim.device(), "version", "read-id"});
    killer.join();
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_EQ(run.err.rfind("The serial port " + sim.device() + " stopped working", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find("stopped working", run.err.find("stopped working") + 1), std::string::npos) << run.err;
    EXPECT_LT(run.seconds, 1.9); // it did not sit out the 2 s answer time
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
