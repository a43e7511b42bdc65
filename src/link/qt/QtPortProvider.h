#pragma once

#include "core/SerialPort.h"

#include <memory>
#include <vector>

namespace vexa {

// The serial ports this system knows, with their descriptions, followed by the extra named
// ports the program adds (such as "Simulator").
class QtPortProvider : public PortProvider {
public:
    explicit QtPortProvider(std::vector<NamedPortMaker> extraPorts = {});

    std::vector<std::string> scanPorts() override;
    std::vector<PortInfo> listPorts() override;
    PortAccess accessOf(const std::string& name) override;
    std::string holderOf(const std::string& name) override;
    std::unique_ptr<SerialPort> makePort(const std::string& name) override;

private:
    std::vector<NamedPortMaker> extraPorts_;
};

} // namespace vexa
