#include "link/qt/QtPortProvider.h"

#include "link/qt/QtSerialPort.h"
#include "sim/CorvanInterfaceSim.h"
#include "sim/SimulatorPort.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

namespace vexa {

QtPortProvider::QtPortProvider() = default;
QtPortProvider::~QtPortProvider() = default;

std::vector<std::string> QtPortProvider::scanPorts() {
    std::vector<std::string> names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        // Only ports that open now are offered; one held by another program is left out.
        QSerialPort probe(info);
        if (!probe.open(QIODevice::ReadWrite))
            continue;
        probe.close();
        names.push_back(info.systemLocation().toStdString());
    }
    std::sort(names.begin(), names.end());
    names.push_back(SimulatorPortName);
    names.push_back(CorvanSimulatorPortName);
    return names;
}

std::unique_ptr<SerialPort> QtPortProvider::makePort(const std::string& name) {
    if (name == SimulatorPortName) {
        if (!simulator_)
            simulator_ = MakeDefaultSimulator();
        return MakeSimulatorPort(simulator_);
    }
    if (name == CorvanSimulatorPortName) {
        if (!simulator_)
            simulator_ = MakeDefaultSimulator();
        if (!corvan_)
            corvan_ = MakeDefaultCorvanInterface(simulator_);
        return MakeSimLinePort(corvan_);
    }
    return std::make_unique<QtSerialPort>();
}

} // namespace vexa
