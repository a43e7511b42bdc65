#include "link/qt/QtPortProvider.h"

#include "link/qt/DeviceAccess.h"
#include "link/qt/QtSerialPort.h"
#include "sim/SimulatorPort.h"

#include <QSerialPortInfo>

namespace vexa {

QtPortProvider::QtPortProvider() = default;
QtPortProvider::~QtPortProvider() = default;

std::vector<PortInfo> QtPortProvider::listPorts() {
    // Every port the system knows is offered, without opening it: a probe would reset boards
    // that restart on a line change, and a port the user may not open must still be listed so
    // that choosing it says how to get access.
    std::vector<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(PortInfo{info.systemLocation().toStdString(), info.description().trimmed().toStdString(),
                                 info.manufacturer().trimmed().toStdString(), info.hasVendorIdentifier()});
    ports.push_back(PortInfo{SimulatorPortName, {}, {}, false});
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

std::unique_ptr<SerialPort> QtPortProvider::makePort(const std::string& name) {
    if (name == SimulatorPortName) {
        if (!simulator_)
            simulator_ = MakeDefaultSimulator();
        return MakeSimulatorPort(simulator_);
    }
    return std::make_unique<QtSerialPort>();
}

} // namespace vexa
