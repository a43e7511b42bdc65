#pragma once

#include "link/SerialPort.h"

#include <memory>

namespace vexa {

class CorvanInterfaceSim;
class Simulator;

// The ports of this system that can be opened, then "Simulator": an in-process simulated
// controller that keeps its state for the provider's lifetime, and "Simulator (Corvan)": the
// same controller behind a simulated Corvan interface.
class QtPortProvider : public PortProvider {
public:
    QtPortProvider();
    ~QtPortProvider() override;

    std::vector<std::string> scanPorts() override;
    std::unique_ptr<SerialPort> makePort(const std::string& name) override;

private:
    std::shared_ptr<Simulator> simulator_;       // made on first use
    std::shared_ptr<CorvanInterfaceSim> corvan_; // in front of simulator_, made on first use
};

} // namespace vexa
