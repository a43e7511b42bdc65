#pragma once

#include "link/SerialPort.h"

#include <memory>

namespace vexa {

class Simulator;

// The serial ports this system knows, with their descriptions, and "Simulator" last: an in-process simulated
// controller that keeps its state for the provider's lifetime.
class QtPortProvider : public PortProvider {
public:
    QtPortProvider();
    ~QtPortProvider() override;

    std::vector<std::string> scanPorts() override;
    std::vector<PortInfo> listPorts() override;
    PortAccess accessOf(const std::string& name) override;
    std::unique_ptr<SerialPort> makePort(const std::string& name) override;

private:
    std::shared_ptr<Simulator> simulator_; // made on first use
};

} // namespace vexa
