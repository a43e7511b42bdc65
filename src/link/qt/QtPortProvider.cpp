#include "link/qt/QtPortProvider.h"

#include "link/qt/QtSerialPort.h"
#include "sim/Simulator.h"
#include "sim/SimulatorPort.h"

#include <QDir>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include <algorithm>

namespace vexa {

namespace {

const char* const SimulatorStateFile = "simulator-state.txt";

// The state file of the in-process simulated controller, or "" when there is no data folder.
std::string SimulatorStatePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    return QDir(folder).filePath(QString::fromLatin1(SimulatorStateFile)).toStdString();
}

} // namespace

QtPortProvider::QtPortProvider(bool keepSimulatorState) : keepSimulatorState_(keepSimulatorState) {}

// What was written to the simulated controller is still there at the next start.
QtPortProvider::~QtPortProvider() {
    std::string error;
    if (simulator_ && !statePath_.empty())
        simulator_->save(statePath_, error);
}

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
    return names;
}

std::unique_ptr<SerialPort> QtPortProvider::makePort(const std::string& name) {
    if (name == SimulatorPortName) {
        if (!simulator_) {
            simulator_ = MakeDefaultSimulator();
            statePath_ = keepSimulatorState_ ? SimulatorStatePath() : std::string();
            std::string error;
            // A missing or unreadable state leaves the start configuration.
            if (!statePath_.empty() && QDir().exists(QString::fromStdString(statePath_)))
                simulator_->load(statePath_, error);
        }
        return MakeSimulatorPort(simulator_);
    }
    return std::make_unique<QtSerialPort>();
}

} // namespace vexa
