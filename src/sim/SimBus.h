#pragma once

#include "link/LinkAddress.h"
#include "sim/SimLine.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace vexa {

class Simulator;

// Several simulated controllers on one serial line, each at its own module address. Every byte
// of the line reaches every controller on it, so only the controller a request addresses
// answers, and each acts on the Lumo frames meant for it. A controller above address 15 is not
// on the line: a Corvan interface in front of the bus reaches it on its own.
class SimBus : public SimLine {
public:
    // Puts a controller on the bus at a module address (0..31); false when the address is
    // outside that range or already taken.
    bool add(int address, std::shared_ptr<Simulator> controller);
    // The controller at that address, or null.
    std::shared_ptr<Simulator> at(int address) const;
    const std::map<int, std::shared_ptr<Simulator>>& controllers() const { return controllers_; }

    std::optional<SimulatorAnswer> receive(std::uint8_t byte) override;
    // The line's byte time: that of its controllers, which share one pacing.
    std::chrono::nanoseconds byteTime() const override;
    // Paces every controller at the bit rate (0 = no pacing).
    void setPacing(int bitRate);

    // Bytes taken off the line, and bytes the controllers put on it.
    std::uint64_t requestBytes() const { return requestBytes_; }
    std::uint64_t answerBytes() const;
    void resetByteCounts();

private:
    std::map<int, std::shared_ptr<Simulator>> controllers_;
    std::uint64_t requestBytes_ = 0;
};

// The state file of the controller at `address` in a state folder: DIR/module-A.txt.
std::string SimBusStateFile(const std::string& folder, int address);
// Loads the state files of the folder that exist, one per controller; false with the reason at
// the first that cannot be read (the controllers before it are loaded).
bool LoadSimBusState(SimBus& bus, const std::string& folder, std::string& error);
// Loads one controller's state file (a UTF-8 path) when it exists; true when there is none.
bool LoadSimulatorStateIfPresent(Simulator& simulator, const std::string& path, std::string& error);
// Writes one state file per controller, creating the folder when it is missing; false with the
// reason at the first failure.
bool SaveSimBusState(const SimBus& bus, const std::string& folder, std::string& error);

} // namespace vexa
