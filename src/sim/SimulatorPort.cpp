#include "sim/SimulatorPort.h"

#include "core/Platform.h"
#include "sim/AnswerSchedule.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/DemoConfiguration.h"
#include "sim/SimBus.h"
#include "sim/Simulator.h"

#include <filesystem>
#include <thread>

namespace vexa {

namespace {

// Sleeps until the time has come: a system whose timers are coarser than the clock (Windows)
// may wake a sleeper a little early.
void SleepUntil(AnswerSchedule::Clock::time_point until) {
    while (AnswerSchedule::Clock::now() < until)
        std::this_thread::sleep_until(until);
}

// A serial port whose far end is a simulated controller in this process. Answers become
// readable when the schedule says so; waiting sleeps until then.
class SimulatorPort : public SerialPort {
public:
    explicit SimulatorPort(std::shared_ptr<SimLine> simulator) : simulator_(std::move(simulator)) {}

    bool open(const std::string& name) override {
        name_ = name;
        open_ = true;
        error_.clear();
        return true;
    }

    void close() override {
        open_ = false;
        schedule_.clear(); // what was still on the way is lost with the port
    }

    bool isOpen() const override { return open_; }

    bool setSettings(const std::string& settings) override {
        settings_ = settings;
        return true;
    }

    bool writeByte(std::uint8_t byte) override {
        if (!notClosed())
            return false;
        const auto byteTime = simulator_->byteTime();
        const auto arrival = schedule_.requestByteArrives(AnswerSchedule::Clock::now(), byteTime);
        if (auto answer = simulator_->receive(byte))
            schedule_.add(*answer, arrival, byteTime);
        return true;
    }

    int bytesWaiting() override {
        if (!notClosed())
            return -1;
        return schedule_.dueCount(AnswerSchedule::Clock::now());
    }

    int readByte() override {
        if (!notClosed())
            return -1;
        return schedule_.takeDue(AnswerSchedule::Clock::now());
    }

    bool waitReadable(int timeoutMs) override {
        if (!notClosed())
            return false;
        const auto now = AnswerSchedule::Clock::now();
        if (schedule_.dueCount(now) > 0)
            return true;
        const auto deadline = now + std::chrono::milliseconds(std::max(timeoutMs, 0));
        const auto next = schedule_.nextDue();
        if (next && *next <= deadline) {
            // As a port's driver hands over what came in one go rather than byte by byte, the
            // waiter wakes once the answer under way is complete (or at its deadline), not once
            // for every byte.
            SleepUntil(std::min(*schedule_.nextAnswerEnd(), deadline));
            return true;
        }
        SleepUntil(deadline);
        return false;
    }

    std::string errorString() const override { return error_; }

    const std::string& settings() const { return settings_; }
    const std::shared_ptr<SimLine>& line() const { return simulator_; }
    std::optional<AnswerSchedule::Clock::time_point> nextDue() const { return schedule_.nextDue(); }

private:
    bool notClosed() {
        if (open_)
            return true;
        error_ = "The port " + (name_.empty() ? std::string(SimulatorPortName) : name_) + " is not open";
        return false;
    }

    std::shared_ptr<SimLine> simulator_;
    AnswerSchedule schedule_;
    bool open_ = false;
    std::string name_;
    std::string settings_ = "19200,o,8,1";
    std::string error_;
};

} // namespace

std::shared_ptr<Simulator> MakeDefaultSimulator() {
    auto simulator = std::make_shared<Simulator>();
    InstallDemoConfiguration(*simulator);
    simulator->resetOutputs();
    return simulator;
}

std::unique_ptr<SerialPort> MakeSimulatorPort(std::shared_ptr<Simulator> simulator) {
    if (!simulator)
        simulator = MakeDefaultSimulator();
    return std::make_unique<SimulatorPort>(std::move(simulator));
}

std::shared_ptr<Simulator> SimulatorBehind(const SerialPort* port) {
    const auto* simulated = dynamic_cast<const SimulatorPort*>(port);
    if (!simulated)
        return nullptr;
    if (const auto corvan = std::dynamic_pointer_cast<CorvanInterfaceSim>(simulated->line()))
        return corvan->sharedController();
    return std::dynamic_pointer_cast<Simulator>(simulated->line());
}

bool CorvanInterfaceBehind(const SerialPort* port) {
    const auto* simulated = dynamic_cast<const SimulatorPort*>(port);
    return simulated && std::dynamic_pointer_cast<CorvanInterfaceSim>(simulated->line());
}

std::optional<std::chrono::steady_clock::time_point> NextAnswerByteDue(const SerialPort* port) {
    const auto* simulated = dynamic_cast<const SimulatorPort*>(port);
    return simulated ? simulated->nextDue() : std::nullopt;
}

namespace {

// The simulated controller behind the "Simulator" entries of a port list, and the simulated
// Corvan interface in front of it.
struct SharedSimulator {
    std::string statePath;
    std::shared_ptr<Simulator> simulator;
    std::shared_ptr<CorvanInterfaceSim> corvan;

    SharedSimulator() = default;
    SharedSimulator(const SharedSimulator&) = delete;
    SharedSimulator& operator=(const SharedSimulator&) = delete;
    ~SharedSimulator() {
        std::string error;
        if (simulator && !statePath.empty())
            simulator->save(statePath, error);
    }

    std::shared_ptr<Simulator> get() {
        if (!simulator) {
            simulator = MakeDefaultSimulator();
            std::string error;
            // A missing or unreadable state leaves the start configuration.
            LoadSimulatorStateIfPresent(*simulator, statePath, error);
        }
        return simulator;
    }

    std::shared_ptr<CorvanInterfaceSim> getCorvan() {
        if (!corvan)
            corvan = MakeDefaultCorvanInterface(get());
        return corvan;
    }
};

// The demonstration layout behind the "Simulator (Layout)" entry, kept in its state folder.
struct SharedLayout {
    std::string stateFolder;
    std::shared_ptr<SimBus> bus;

    SharedLayout() = default;
    SharedLayout(const SharedLayout&) = delete;
    SharedLayout& operator=(const SharedLayout&) = delete;
    ~SharedLayout() {
        std::string error;
        if (bus && !stateFolder.empty())
            SaveSimBusState(*bus, stateFolder, error);
    }

    std::shared_ptr<SimBus> get() {
        if (!bus) {
            bus = MakeDemoLayout();
            std::string error;
            // An unreadable state file leaves that controller (and the ones after it) as demonstrated.
            if (!stateFolder.empty())
                LoadSimBusState(*bus, stateFolder, error);
        }
        return bus;
    }
};

} // namespace

std::vector<NamedPortMaker> SimulatorPortMakers(std::string statePath, std::string layoutStateFolder) {
    auto shared = std::make_shared<SharedSimulator>();
    shared->statePath = std::move(statePath);
    auto layout = std::make_shared<SharedLayout>();
    layout->stateFolder = std::move(layoutStateFolder);
    return {{SimulatorPortName, [shared] { return MakeSimulatorPort(shared->get()); }},
            {CorvanSimulatorPortName, [shared] { return MakeSimLinePort(shared->getCorvan()); }},
            {LayoutSimulatorPortName, [layout] { return MakeSimLinePort(layout->get()); }}};
}

std::unique_ptr<SerialPort> MakeSimLinePort(std::shared_ptr<SimLine> line) {
    return line ? std::make_unique<SimulatorPort>(std::move(line)) : MakeSimulatorPort(nullptr);
}

} // namespace vexa
