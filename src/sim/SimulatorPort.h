#pragma once

#include "link/SerialPort.h"

#include <memory>

namespace vexa {

class Simulator;

// A simulated controller with a plausible start state (firmware version, ID string, a few
// configured pins), kept for the whole run so that reopening the port finds it as it was.
std::shared_ptr<Simulator> MakeDefaultSimulator();

// A serial port whose far end is the given simulated controller, in this process.
std::unique_ptr<SerialPort> MakeSimulatorPort(std::shared_ptr<Simulator> simulator);

// The "Simulator" entry of a port list: every port it makes talks to one default simulated
// controller, made on first use and kept while the maker lives.
NamedPortMaker SimulatorPortMaker();

} // namespace vexa
