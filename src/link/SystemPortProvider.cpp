#include "link/SystemPortProvider.h"

#include <utility>

namespace vexa {

SystemPortProvider::SystemPortProvider(std::vector<NamedPortMaker> extraPorts) : extraPorts_(std::move(extraPorts)) {}

std::vector<PortInfo> SystemPortProvider::listPorts() {
    std::vector<PortInfo> ports = systemPorts();
    for (const NamedPortMaker& extra : extraPorts_)
        ports.push_back(PortInfo{extra.name, {}, {}, false, {}});
    return ports;
}

std::vector<std::string> SystemPortProvider::scanPorts() {
    std::vector<std::string> names;
    for (PortInfo& port : listPorts())
        names.push_back(std::move(port.name));
    return names;
}

std::unique_ptr<SerialPort> SystemPortProvider::makePort(const std::string& name) {
    for (const NamedPortMaker& extra : extraPorts_)
        if (extra.name == name)
            return extra.make();
    return makeSystemPort();
}

} // namespace vexa
