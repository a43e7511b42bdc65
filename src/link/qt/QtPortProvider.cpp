#include "link/qt/QtPortProvider.h"

#include "link/qt/DeviceAccess.h"
#include "link/qt/QtSerialPort.h"

#include <QCoreApplication>
#include <QSerialPortInfo>

#include <utility>

namespace vexa {

QtPortProvider::QtPortProvider(std::vector<NamedPortMaker> extraPorts) : SystemPortProvider(std::move(extraPorts)) {}

std::vector<PortInfo> QtPortProvider::systemPorts() {
    std::vector<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(PortInfo{info.systemLocation().toStdString(), info.description().trimmed().toStdString(),
                                 info.manufacturer().trimmed().toStdString(), info.hasVendorIdentifier(),
                                 info.serialNumber().trimmed().toStdString()});
    return ports;
}

PortAccess QtPortProvider::accessOf(const std::string& name) {
    return DeviceAccess(name);
}

std::string QtPortProvider::holderOf(const std::string& name) {
    return PortHolder(name);
}

std::unique_ptr<SerialPort> QtPortProvider::makeSystemPort() {
    return std::make_unique<QtSerialPort>();
}

namespace {

// QSerialPort is used with blocking waits only, but its notifiers want an application object:
// a program without one (the command line) gets this one.
class QtPortProviderWithApplication : public QtPortProvider {
public:
    using QtPortProvider::QtPortProvider;

private:
    int argc_ = 1;
    char name_[16] = "vexaconfig";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication application_{argc_, argv_};
};

} // namespace

std::unique_ptr<PortProvider> MakeSystemPortProvider(std::vector<NamedPortMaker> extraPorts) {
    if (QCoreApplication::instance())
        return std::make_unique<QtPortProvider>(std::move(extraPorts));
    return std::make_unique<QtPortProviderWithApplication>(std::move(extraPorts));
}

} // namespace vexa
