#pragma once

#include "TestSeams.h"

#include "core/Clock.h"
#include "core/Session.h"
#include "sim/Simulator.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vexa::test {

// Real time, running `factor` times faster: the link's 2 s answer wait passes in 2/factor s
// of wall-clock time, while the simulated port still sleeps in real time. While an answer byte
// is due (or nearly so) the clock runs at real speed, so that a test thread held up by a busy
// machine does not see an answer that is already there as too late; answers made late on
// purpose (tens of milliseconds and more) still come after the wait.
class FastClock : public Clock {
public:
    explicit FastClock(double factor) : factor_(factor) {}
    double steadySeconds() override;
    void pauseMs(int ms) override;
    // Tells when the next answer byte on its way is due; none by default.
    void watchAnswers(std::function<std::optional<std::chrono::steady_clock::time_point>()> nextDue) {
        nextDue_ = std::move(nextDue);
    }

private:
    double factor_;
    std::function<std::optional<std::chrono::steady_clock::time_point>()> nextDue_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    double seconds_ = 0;
};

// A session whose open port is a simulated controller in this process.
struct SimBench {
    explicit SimBench(std::shared_ptr<Simulator> simulator = std::make_shared<Simulator>(), double clockFactor = 40);

    // Sends a request with "Bidirectional Comm." on; true when a valid answer came.
    bool read(const std::vector<int>& data);
    // Sends a request that awaits nothing ("Bidirectional Comm." off).
    void write(const std::vector<int>& data);
    // Data bytes of the last answer (the echoed request bytes first).
    std::vector<int> answer() const;

    SerialPort& port() { return *session.port.port; }

    RecordingPrompter prompter;
    FastClock clock;
    ScriptedPortProvider provider;
    Session session{prompter, clock, provider};
    std::shared_ptr<Simulator> sim;
};

} // namespace vexa::test
