#pragma once

#include "link/SerialPort.h"

#include <memory>

namespace vexa {

class SimLine;
class Simulator;

// A simulated controller with a plausible start state (firmware version, ID string, a few
// configured pins), kept for the whole run so that reopening the port finds it as it was.
std::shared_ptr<Simulator> MakeDefaultSimulator();

// A serial port whose far end is the given simulated controller, in this process.
std::unique_ptr<SerialPort> MakeSimulatorPort(std::shared_ptr<Simulator> simulator);
// A serial port whose far end is any simulated line end (a Corvan interface, for example).
std::unique_ptr<SerialPort> MakeSimLinePort(std::shared_ptr<SimLine> line);

} // namespace vexa
