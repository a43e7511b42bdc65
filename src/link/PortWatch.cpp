#include "link/PortWatch.h"

#include "link/Exchange.h"
#include "link/PortSetup.h"

#include <algorithm>

namespace vexa {

namespace {

bool Listed(const Session& session, const std::string& name) {
    const auto& names = session.port.available;
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

PortWatchReport WatchPorts(Session& session) {
    PortWatchReport report;
    if (session.operationRunning)
        return report;
    const std::string name = session.port.name;
    const bool wasListed = Listed(session, name);
    const std::vector<PortInfo> before = session.port.listed;
    ScanPorts(session);
    report.listChanged = session.port.listed != before;
    // A typed path the system never lists, or the simulator, is left as it is.
    if (name.empty() || IsSimulatorPortName(name))
        return report;

    const bool listed = Listed(session, name);
    if (wasListed && !listed) {
        if (session.port.isOpen())
            ReportPortFailure(session);
        session.port.lost = true;
        report.status = "The serial port " + name + " was removed; it opens again when it is plugged back in.";
    } else if (session.port.lost && listed && !session.port.isOpen()) {
        std::string failure;
        if (ReopenChosenPort(session, failure)) {
            session.port.lost = false;
            report.status = "The serial port " + name + " is back and open again.";
        } else {
            report.status = failure.substr(0, failure.find('\r'));
        }
    }
    return report;
}

} // namespace vexa
