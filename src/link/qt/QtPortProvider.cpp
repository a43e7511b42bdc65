#include "link/qt/QtPortProvider.h"

#include "link/qt/QtSerialPort.h"

#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <utility>

namespace vexa {

QtPortProvider::QtPortProvider(std::vector<NamedPortMaker> extraPorts) : extraPorts_(std::move(extraPorts)) {}

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
    for (const NamedPortMaker& extra : extraPorts_)
        names.push_back(extra.name);
    return names;
}

std::unique_ptr<SerialPort> QtPortProvider::makePort(const std::string& name) {
    for (const NamedPortMaker& extra : extraPorts_)
        if (extra.name == name)
            return extra.make();
    return std::make_unique<QtSerialPort>();
}

} // namespace vexa
