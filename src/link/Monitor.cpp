#include "link/Monitor.h"

#include "link/Exchange.h"
#include "link/PortWait.h"

namespace vexa {

namespace {

constexpr int ReportSize = 4;

} // namespace

bool StartMonitoring(Session& session, bool running) {
    if (!session.port.isOpen()) {
        session.tell("Select Comm-port");
        return false;
    }
    if (!running)
        session.monitorText.append("Start Monitoring" + std::string(CrLf));
    return true;
}

void StopMonitoring(Session& session) {
    session.monitorText.append("Monitoring Stopped" + std::string(CrLf));
}

std::string ReportLine(const LinkState& link) {
    if (!link.answerValid || link.answerSize() != ReportSize)
        return {};
    std::string line;
    for (int i = 0; i < ReportSize; ++i) {
        line += '<';
        line += std::to_string(link.answerData(i));
        line += "> ";
    }
    return line + CrLf;
}

std::string MonitorPoll(Session& session) {
    SendVexaMessage(session, false, {});
    const std::string line = ReportLine(session.link);
    session.monitorText.append(line);
    return line;
}

bool MonitorTick(Session& session, std::string& line) {
    LinkState& link = session.link;
    const bool earlierFault = link.faultReported;
    link.faultReported = false;
    {
        FirstFaultOnly oneMessage(link);
        line = MonitorPoll(session);
    }
    const bool failed = link.faultReported || !session.port.isOpen() || session.progress->stopRequested();
    link.faultReported = link.faultReported || earlierFault;
    return !failed;
}

} // namespace vexa
