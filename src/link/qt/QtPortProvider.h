#pragma once

#include "link/SystemPortProvider.h"

#include <memory>
#include <vector>

namespace vexa {

// The serial ports this system knows, through Qt Serial Port, with their descriptions,
// followed by the extra named ports the program adds (such as "Simulator").
class QtPortProvider : public SystemPortProvider {
public:
    explicit QtPortProvider(std::vector<NamedPortMaker> extraPorts = {});

    PortAccess accessOf(const std::string& name) override;
    std::string holderOf(const std::string& name) override;

protected:
    std::vector<PortInfo> systemPorts() override;
    std::unique_ptr<SerialPort> makeSystemPort() override;
};

} // namespace vexa
