#pragma once

// Running the project's programs from end-to-end tests: a program started in the background and
// stopped when the test is done, or a program run to its end with its output captured. The
// program paths are given by the caller.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vexa::test {

// Where a background program's standard error goes.
enum class ErrorOutput { Inherited, Captured };

// A program running in the background with its standard output on a pipe. When it goes out of
// scope it is asked to stop with SIGTERM, and killed when it has not ended within 3 s.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 ErrorOutput errors = ErrorOutput::Inherited);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next whole line of its output (without the line end), or "" when none came in time.
    std::string readLine(std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Its exit code when it ended within the time limit, or -1.
    int waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // The error text it has written so far (ErrorOutput::Captured only); does not wait.
    std::string errorText();
    // Asks it to stop (SIGTERM) without waiting.
    void terminate();
    // Sends SIGINT, as Ctrl+C on its terminal would, without waiting.
    void interrupt();
    // Ends it at once (SIGKILL), as a pulled cable would, and closes its output.
    void killNow();
    pid_t processId() const { return pid_; }

private:
    void closePipes();

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool ended_ = false; // reaped: nothing left to stop
};

// A background program that serves on a device and names it in the first line of its output.
class DeviceServerProcess : public ChildProcess {
public:
    DeviceServerProcess(const std::string& program, const std::vector<std::string>& args)
        : ChildProcess(program, args), device_(readLine()) {}

    const std::string& device() const { return device_; }
    // Waits until another program has opened the device (the program under test has the port
    // open); false when none did within the generous deadline of WaitUntil.
    bool waitForClient() const;

private:
    std::string device_;
};

// What a program run to its end left behind.
struct ProgramResult {
    int status = -1; // exit status; -1 when it did not exit by itself (killed at the time limit)
    std::string out;
    std::string err;
    double seconds = 0; // how long it ran
};

// Runs a program with its standard output and error captured until it ends; kills it when it
// runs longer than the time limit.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         std::chrono::milliseconds timeLimit);

// The lines of a text; a last line without a line end counts too.
std::vector<std::string> SplitLines(const std::string& text);

// Whether any of the lines starts with the given text.
bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start);

} // namespace vexa::test
