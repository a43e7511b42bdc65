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

// The simulated controller at the far end of a port made by MakeSimulatorPort, or null for any
// other port.
std::shared_ptr<Simulator> SimulatorBehind(const SerialPort* port);

// The "Simulator" entry of a port list: every port it makes talks to one default simulated
// controller, made on first use and kept while the maker lives. With a state file, the
// controller starts from the state kept there and keeps its state there when the maker goes.
NamedPortMaker SimulatorPortMaker(std::string statePath = {});

} // namespace vexa
