#include "link/PortWatch.h"

#include "link/Exchange.h"
#include "link/PortLossText.h"
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
    PortState& state = session.port;
    state.watched = true;
    const std::string name = state.name;
    const bool wasListed = Listed(session, name);
    const std::vector<PortInfo> before = state.listed;
    ScanPorts(session);
    report.listChanged = state.listed != before;
    // A typed path the system never lists, or the simulator, is left as it is.
    if (name.empty() || IsSimulatorPortName(name))
        return report;

    // The same USB adapter plugged into another socket comes back under another name.
    if (state.lost && !Listed(session, name)) {
        const std::string moved = PortOfSerialNumber(state.listed, state.serialNumber);
        if (!moved.empty())
            state.name = moved;
    }
    const bool listed = Listed(session, state.name);
    if (wasListed && !listed) {
        // Said once: an open port's failure is told in a message box, which says what happens
        // next; a closed one (or one whose failure an operation told already) in the status line.
        const bool told = state.lost;
        if (state.isOpen())
            ReportPortFailure(session);
        else if (!told)
            report.status = PortRemovedText(state);
        state.lost = true;
        report.portGone = true;
    } else if (state.lost && listed && !state.isOpen()) {
        std::string failure;
        if (ReopenChosenPort(session, failure)) {
            state.lost = false;
            state.followed = true;
            report.status = "The serial port " + state.name + " is back and open again.";
            report.portBack = true;
        } else {
            report.status = failure.substr(0, failure.find('\r'));
        }
    }
    return report;
}

} // namespace vexa
