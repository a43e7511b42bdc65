#pragma once

#include "link/SystemPortProvider.h"

#include <memory>
#include <vector>

namespace vexa {

// The COM ports of this Windows system, with the descriptions the device manager gives them,
// followed by the extra named ports the program adds (such as "Simulator").
class WinPortProvider : public SystemPortProvider {
public:
    explicit WinPortProvider(std::vector<NamedPortMaker> extraPorts = {});

protected:
    std::vector<PortInfo> systemPorts() override;
    std::unique_ptr<SerialPort> makeSystemPort() override;
};

} // namespace vexa
