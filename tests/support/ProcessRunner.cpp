#include "ProcessRunner.h"

#include "WaitUntil.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vexa::test {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr auto StopGrace = std::chrono::seconds(3);

// Starts the program with its standard output (and error, when errFd is given) on pipes.
// Returns its process id, or -1 when it could not be started.
pid_t Spawn(const std::string& program, const std::vector<std::string>& args, int& outFd, int* errFd) {
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if (pipe(out) != 0)
        return -1;
    if (errFd && pipe(err) != 0) {
        close(out[0]);
        close(out[1]);
        return -1;
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        if (errFd)
            dup2(err[1], STDERR_FILENO);
        for (int fd : {out[0], out[1], err[0], err[1]})
            if (fd >= 0)
                close(fd);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    if (errFd)
        close(err[1]);
    if (pid < 0) {
        close(out[0]);
        if (errFd)
            close(err[0]);
        return -1;
    }
    outFd = out[0];
    if (errFd)
        *errFd = err[0];
    return pid;
}

// Whether a process other than `except` has the device open. Looks through the open files that
// /proc lists.
bool OpenedByAnotherProcess(const std::string& device, pid_t except) {
    namespace fs = std::filesystem;
    const fs::directory_iterator end;
    std::error_code error;
    for (fs::directory_iterator process("/proc", error); !error && process != end; process.increment(error)) {
        const std::string name = process->path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos || name == std::to_string(except))
            continue;
        // A process that ends meanwhile, or one not ours to look into, simply has no files here.
        std::error_code gone;
        for (fs::directory_iterator file(process->path() / "fd", gone); !gone && file != end; file.increment(gone)) {
            std::error_code closed;
            if (fs::read_symlink(file->path(), closed) == device)
                return true;
        }
    }
    return false;
}

} // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args, ErrorOutput errors) {
    pid_ = Spawn(program, args, out_, errors == ErrorOutput::Captured ? &err_ : nullptr);
    if (err_ >= 0)
        fcntl(err_, F_SETFL, fcntl(err_, F_GETFL) | O_NONBLOCK); // never wait for more error text
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !ended_) {
        kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = SteadyClock::now() + StopGrace;
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (SteadyClock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            usleep(10'000);
        }
    }
    closePipes();
}

std::string ChildProcess::readLine(std::chrono::milliseconds timeout) {
    std::string line;
    const auto deadline = SteadyClock::now() + timeout;
    while (out_ >= 0 && SteadyClock::now() < deadline) {
        pollfd fd{out_, POLLIN, 0};
        if (poll(&fd, 1, 100) != 1)
            continue;
        char c = 0;
        if (read(out_, &c, 1) != 1)
            break;
        if (c == '\n')
            return line;
        line += c;
    }
    return {};
}

int ChildProcess::waitExit(std::chrono::milliseconds timeout) {
    if (pid_ <= 0 || ended_)
        return -1;
    const auto deadline = SteadyClock::now() + timeout;
    while (SteadyClock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            ended_ = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        usleep(20'000);
    }
    return -1;
}

std::string ChildProcess::errorText() {
    std::string text;
    if (err_ < 0)
        return text;
    char buffer[256];
    for (ssize_t n; (n = read(err_, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

void ChildProcess::terminate() {
    if (pid_ > 0 && !ended_)
        kill(pid_, SIGTERM);
}

void ChildProcess::interrupt() {
    if (pid_ > 0 && !ended_)
        kill(pid_, SIGINT);
}

void ChildProcess::killNow() {
    if (pid_ <= 0 || ended_)
        return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    ended_ = true;
    closePipes();
}

void ChildProcess::closePipes() {
    for (int* fd : {&out_, &err_}) {
        if (*fd >= 0)
            close(*fd);
        *fd = -1;
    }
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         std::chrono::milliseconds timeLimit) {
    ProgramResult result;
    int outFd = -1;
    int errFd = -1;
    const auto start = SteadyClock::now();
    const pid_t pid = Spawn(program, args, outFd, &errFd);
    if (pid <= 0)
        return result;
    std::string* texts[2] = {&result.out, &result.err};
    pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
    int open = 2;
    bool killed = false;
    while (open > 0) {
        if (!killed && SteadyClock::now() - start > timeLimit) {
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
    result.seconds = std::chrono::duration<double>(SteadyClock::now() - start).count();
    if (!killed && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

bool DeviceServerProcess::waitForClient() const {
    return WaitUntil([this] { return OpenedByAnotherProcess(device_, processId()); });
}

std::vector<std::string> SplitLines(const std::string& text) {
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

} // namespace vexa::test
