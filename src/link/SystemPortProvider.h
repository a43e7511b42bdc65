#pragma once

#include "core/SerialPort.h"

#include <memory>
#include <string>
#include <vector>

namespace vexa {

// The serial ports of the system, followed by the extra named ports that the program adds
// (such as "Simulator"). Each system's adapter says which ports there are and makes the port
// objects for them.
class SystemPortProvider : public PortProvider {
public:
    explicit SystemPortProvider(std::vector<NamedPortMaker> extraPorts);

    std::vector<std::string> scanPorts() override;
    std::vector<PortInfo> listPorts() override;
    std::unique_ptr<SerialPort> makePort(const std::string& name) override;

protected:
    // The ports the system knows, with what it says about them. They are not opened: a probe
    // would reset boards that restart on a line change, and a port the user may not open must
    // still be listed so that choosing it says why.
    virtual std::vector<PortInfo> systemPorts() = 0;
    // A closed port object of the system.
    virtual std::unique_ptr<SerialPort> makeSystemPort() = 0;

private:
    std::vector<NamedPortMaker> extraPorts_;
};

// The port provider of the system the program runs on, with the extra named ports after the
// system's own.
std::unique_ptr<PortProvider> MakeSystemPortProvider(std::vector<NamedPortMaker> extraPorts);

} // namespace vexa
