#pragma once

#include "core/SerialPort.h"

#include <chrono>
#include <memory>
#include <optional>

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

// The simulated controller at the far end of a port made by MakeSimulatorPort, or behind the
// simulated Corvan interface of a port made by MakeSimLinePort; null for any other port.
std::shared_ptr<Simulator> SimulatorBehind(const SerialPort* port);
// True when the port's far end is a simulated Corvan interface.
bool CorvanInterfaceBehind(const SerialPort* port);
// When the next answer byte on its way through a port made by MakeSimulatorPort or
// MakeSimLinePort is (or was) due; nothing when no answer is on its way or for any other port.
std::optional<std::chrono::steady_clock::time_point> NextAnswerByteDue(const SerialPort* port);

// The "Simulator" and "Simulator (Corvan)" entries of a port list: every port they make talks
// to one default simulated controller (directly, or through a simulated Corvan interface),
// made on first use and kept while the makers live. With a state file, the controller starts
// from the state kept there and keeps its state there when the makers go. The "Simulator
// (Layout)" entry talks to the demonstration layout of three controllers, kept the same way
// in one state file per controller in the layout's state folder.
std::vector<NamedPortMaker> SimulatorPortMakers(std::string statePath = {}, std::string layoutStateFolder = {});

} // namespace vexa
