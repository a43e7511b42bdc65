#include "link/qt/QtPortProvider.h"

#include "link/qt/DeviceAccess.h"
#include "link/qt/QtSerialPort.h"

#include <QSerialPortInfo>

#include <utility>

namespace vexa {

QtPortProvider::QtPortProvider(std::vector<NamedPortMaker> extraPorts) : extraPorts_(std::move(extraPorts)) {}

std::vector<PortInfo> QtPortProvider::listPorts() {
    // Every port the system knows is offered, without opening it: a probe would reset boards
    // that restart on a line change, and a port the user may not open must still be listed so
    // that choosing it says how to get access.
    std::vector<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(PortInfo{info.systemLocation().toStdString(), info.description().trimmed().toStdString(),
                                 info.manufacturer().trimmed().toStdString(), info.hasVendorIdentifier(),
                                 info.serialNumber().trimmed().toStdString()});
    for (const NamedPortMaker& extra : extraPorts_)
        ports.push_back(PortInfo{extra.name, {}, {}, false, {}});
    return ports;
}

std::vector<std::string> QtPortProvider::scanPorts() {
    std::vector<std::string> names;
    for (const PortInfo& port : listPorts())
        names.push_back(port.name);
    return names;
}

PortAccess QtPortProvider::accessOf(const std::string& name) {
    return DeviceAccess(name);
}

std::string QtPortProvider::holderOf(const std::string& name) {
    return PortHolder(name);
}

std::unique_ptr<SerialPort> QtPortProvider::makePort(const std::string& name) {
    for (const NamedPortMaker& extra : extraPorts_)
        if (extra.name == name)
            return extra.make();
    return std::make_unique<QtSerialPort>();
}

} // namespace vexa
