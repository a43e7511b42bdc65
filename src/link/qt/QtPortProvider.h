#pragma once

#include "link/SerialPort.h"

#include <memory>

namespace vexa {

class Simulator;

// The ports of this system that can be opened, and "Simulator" last: an in-process simulated
// controller that keeps its state for the provider's lifetime and, when asked to, between runs
// of the program in a state file in the application's data folder.
class QtPortProvider : public PortProvider {
public:
    explicit QtPortProvider(bool keepSimulatorState = false);
    ~QtPortProvider() override;

    std::vector<std::string> scanPorts() override;
    std::unique_ptr<SerialPort> makePort(const std::string& name) override;

private:
    std::shared_ptr<Simulator> simulator_; // made on first use
    bool keepSimulatorState_;
    std::string statePath_; // where its state is kept between runs
};

} // namespace vexa
