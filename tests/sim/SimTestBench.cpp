#include "SimTestBench.h"

#include "link/Exchange.h"
#include "sim/SimulatorPort.h"

#include <thread>

namespace vexa::test {

double FastClock::steadySeconds() {
    // Within this much of its due time an answer byte counts as arriving: its wire time.
    constexpr auto Near = std::chrono::milliseconds(25);
    const auto now = std::chrono::steady_clock::now();
    const std::chrono::duration<double> elapsed = now - last_;
    last_ = now;
    const auto due = nextDue_ ? nextDue_() : std::nullopt;
    seconds_ += elapsed.count() * (due && *due <= now + Near ? 1.0 : factor_);
    return seconds_;
}

void FastClock::pauseMs(int ms) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms / factor_));
}

SimBench::SimBench(std::shared_ptr<Simulator> simulator, double clockFactor)
    : clock(clockFactor), sim(std::move(simulator)) {
    session.port.port = MakeSimulatorPort(sim);
    session.port.port->open(SimulatorPortName);
    session.port.name = SimulatorPortName;
    clock.watchAnswers([this] { return NextAnswerByteDue(session.port.port.get()); });
}

bool SimBench::read(const std::vector<int>& data) {
    session.link.bidirectional = true;
    SendVexaMessage(session, true, data);
    return session.link.answerValid;
}

void SimBench::write(const std::vector<int>& data) {
    session.link.bidirectional = false;
    SendVexaMessage(session, false, data);
}

std::vector<int> SimBench::answer() const {
    std::vector<int> values;
    for (int i = 0; i < session.link.answerSize(); ++i)
        values.push_back(session.link.answerData(i));
    return values;
}

} // namespace vexa::test
