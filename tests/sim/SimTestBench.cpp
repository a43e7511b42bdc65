#include "SimTestBench.h"

#include "link/Exchange.h"
#include "sim/SimulatorPort.h"

#include <thread>

namespace vexa::test {

double FastClock::steadySeconds() {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    return elapsed.count() * factor_;
}

void FastClock::pauseMs(int ms) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms / factor_));
}

SimBench::SimBench(std::shared_ptr<Simulator> simulator, double clockFactor)
    : clock(clockFactor), sim(std::move(simulator)) {
    session.port.port = MakeSimulatorPort(sim);
    session.port.port->open(SimulatorPortName);
    session.port.name = SimulatorPortName;
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
