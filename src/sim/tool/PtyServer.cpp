#include "PtyServer.h"

#include "sim/AnswerSchedule.h"
#include "sim/Simulator.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace vexa {

namespace {

using Clock = AnswerSchedule::Clock;

// Answer bytes kept while no client reads them; beyond that they are dropped, as a full
// receive buffer of a real port would drop them.
constexpr std::size_t OutgoingLimit = 64 * 1024;
constexpr int HangUpPauseMs = 100;

int MillisecondsUntil(Clock::time_point due) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 60'000));
}

class Server {
public:
    Server(int master, SimLine& simulator) : master_(master), simulator_(simulator) {}

    // Reads what the client wrote; false when the terminal failed for good.
    bool takeRequests() {
        std::array<std::uint8_t, 256> buffer{};
        for (;;) {
            const ssize_t count = read(master_, buffer.data(), buffer.size());
            if (count > 0) {
                const auto byteTime = simulator_.byteTime();
                for (ssize_t i = 0; i < count; ++i) {
                    const auto arrival = schedule_.requestByteArrives(Clock::now(), byteTime);
                    if (auto answer = simulator_.receive(buffer[static_cast<std::size_t>(i)]))
                        schedule_.add(*answer, arrival, byteTime);
                }
                continue;
            }
            const Stall stall = stalled(count, "reading");
            if (stall == Stall::Retry)
                continue;
            return stall == Stall::Later;
        }
    }

    // Moves the answer bytes that are due into the outgoing buffer and writes what it can.
    bool sendDue() {
        const auto now = Clock::now();
        for (int byte = schedule_.takeDue(now); byte >= 0; byte = schedule_.takeDue(now))
            if (outgoing_.size() < OutgoingLimit)
                outgoing_.push_back(static_cast<std::uint8_t>(byte));
        while (!outgoing_.empty()) {
            const ssize_t count = write(master_, outgoing_.data(), outgoing_.size());
            if (count > 0) {
                outgoing_.erase(outgoing_.begin(), outgoing_.begin() + count);
                continue;
            }
            const Stall stall = stalled(count, "writing");
            if (stall == Stall::Retry)
                continue;
            return stall == Stall::Later;
        }
        return true;
    }

    // How long poll() may sleep: until the next answer byte is due, or for ever.
    int pollTimeout() const {
        if (hungUp_)
            return HangUpPauseMs;
        const auto next = schedule_.nextDue();
        return next ? MillisecondsUntil(*next) : -1;
    }

    // What to wait for on the master; after a hang-up nothing, for one pause, so that the
    // loop looks again later instead of spinning on it.
    pollfd masterWait() {
        if (hungUp_) {
            hungUp_ = false;
            return {-1, 0, 0};
        }
        return {master_, static_cast<short>(POLLIN | (outgoing_.empty() ? 0 : POLLOUT)), 0};
    }

private:
    // What a read or write that moved nothing calls for.
    enum class Stall {
        Retry,  // interrupted: try again at once
        Later,  // nothing to do now: wait for poll()
        Failed, // the terminal failed for good (reported)
    };

    // `action` names the call ("reading", "writing") in the report of a failure.
    Stall stalled(ssize_t count, const char* action) {
        if (count < 0 && errno == EINTR)
            return Stall::Retry;
        if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return Stall::Later;
        if (count < 0 && errno == EIO) {
            hungUp_ = true; // no slave open at the moment
            return Stall::Later;
        }
        std::fprintf(stderr, "vexa-sim: %s the terminal failed: %s\n", action, std::strerror(errno));
        return Stall::Failed;
    }

    int master_;
    SimLine& simulator_;
    AnswerSchedule schedule_;
    std::vector<std::uint8_t> outgoing_;
    bool hungUp_ = false;
};

} // namespace

int ServePseudoTerminal(int master, int stopFd, SimLine& simulator) {
    Server server(master, simulator);
    for (;;) {
        const int timeout = server.pollTimeout();
        std::array<pollfd, 2> fds{pollfd{stopFd, POLLIN, 0}, server.masterWait()};
        const int ready = poll(fds.data(), fds.size(), timeout);
        if (ready < 0 && errno != EINTR) {
            std::fprintf(stderr, "vexa-sim: poll failed: %s\n", std::strerror(errno));
            return 1;
        }
        if (fds[0].revents & POLLIN)
            return 0;
        if ((fds[1].revents & (POLLIN | POLLHUP | POLLERR)) && !server.takeRequests())
            return 1;
        if (!server.sendDue())
            return 1;
    }
}

} // namespace vexa
