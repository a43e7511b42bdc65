// Pin transfer and verification as a user runs them: vexaconfig-cli against vexa-sim on a
// pseudo-terminal, through the real serial port adapter.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto ProgramTimeLimit = std::chrono::seconds(30);

// Starts a program with standard output (and error, when asked for) on pipes.
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
        for (int fd : {out[0], out[1], err[0], err[1]})
            if (fd >= 0)
                close(fd);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
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

// vexa-sim with its start configuration, serving until it is stopped with SIGTERM.
class SimProcess {
public:
    SimProcess() {
        pid_ = Spawn({VEXA_SIM_PATH}, outFd_, nullptr);
        if (pid_ <= 0)
            return;
        std::string text; // its first line names the device
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline && text.find('\n') == std::string::npos) {
            pollfd fd{outFd_, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0)
                continue;
            char buffer[256];
            const ssize_t got = read(outFd_, buffer, sizeof buffer);
            if (got <= 0)
                break;
            text.append(buffer, static_cast<std::size_t>(got));
        }
        if (text.find('\n') != std::string::npos)
            device_ = text.substr(0, text.find('\n'));
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

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    std::string device_;
};

struct CliResult {
    int status = -1; // exit status; -1 when it had to be killed
    std::string out;
    std::string err;
};

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

bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; });
}

TEST(PinE2E, PinsReadFromTheControllerVerify) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty()) << "vexa-sim gave no device name";
    const CliResult run = RunCli({"--port", sim.device(), "read-all-pins", "verify-pins"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    EXPECT_EQ(lines, (std::vector<std::string>{"Start Pin Verification", "Note: Numbering starts at 1", "Verify OK"}));
    EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(PinE2E, WrittenPinsStayInTheControllerBetweenRuns) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty());
    // The configuration the tool starts with: every pin empty.
    const CliResult written = RunCli({"--port", sim.device(), "--base", "0", "write-all-pins", "verify-pins"});
    ASSERT_EQ(written.status, 0) << written.out << written.err;
    EXPECT_EQ(Lines(written.out), (std::vector<std::string>{"Start Pin Verification", "Verify OK"}));

    // A new run starts empty again and finds the controller as the first one left it.
    const CliResult verified = RunCli({"--port", sim.device(), "verify-pins"});
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;
    EXPECT_EQ(Lines(verified.out).back(), "Verify OK");
}

TEST(PinE2E, WritePinChangesThatPinOnly) {
    SimProcess sim;
    ASSERT_FALSE(sim.device().empty());
    // The simulator starts with configured pins 1..3 (as shown); writing the empty pin 2 over
    // its configured one leaves only the differences of pins 1 and 3.
    const CliResult run = RunCli({"--port", sim.device(), "write-pin", "2", "verify-pins"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    const std::vector<std::string> lines = Lines(run.out);
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
    EXPECT_FALSE(HasLineStarting(Lines(kept.out), "Pin 2: ")) << kept.out;
    EXPECT_TRUE(HasLineStarting(Lines(kept.out), "Pin 1: ")) << kept.out;
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
