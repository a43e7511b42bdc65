#include "link/PortWait.h"

#include "link/Exchange.h"
#include "link/PortLossText.h"

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

// Longest single block on the port, so that "Stop" ends a wait soon.
constexpr int WaitSliceMs = 50;

} // namespace

bool AnswerTimeOver(Session& session, double t0) {
    return session.clock.steadySeconds() > t0 + session.link.answerTimeoutSeconds;
}

bool LinkHalted(Session& session) {
    return session.progress->stopRequested() || (session.link.haltOnFault && session.link.faultReported);
}

WaitResult WaitForByte(Session& session, double t0) {
    const double timeout = session.link.answerTimeoutSeconds;
    for (;;) {
        const double now = session.clock.steadySeconds();
        if (now > t0 + timeout)
            return WaitResult::TimedOut;
        if (session.progress->stopRequested())
            return WaitResult::Stopped;
        const int waiting = session.port.port->bytesWaiting();
        if (waiting < 0)
            return WaitResult::PortFailed;
        if (waiting > 0)
            return WaitResult::Byte;
        const double left = t0 + timeout - now;
        const int sliceMs = std::clamp(static_cast<int>(std::ceil(left * 1000.0)), 1, WaitSliceMs);
        session.port.port->waitReadable(sliceMs);
        session.progress->keepAlive();
    }
}

void ReportPortFailure(Session& session) {
    const std::string reason = session.port.port ? session.port.port->errorString() : std::string();
    if (session.port.port)
        session.port.port->close();
    session.port.lost = true;
    // The system's reason differs with the call that failed; the trace keeps it, the message
    // says the same every time.
    if (!reason.empty())
        session.trace.append("port failed: " + reason + CrLf);
    ReportLinkFault(session, PortStoppedText(session.port));
}

bool WriteBytes(Session& session, const std::vector<std::uint8_t>& bytes) {
    for (std::uint8_t byte : bytes)
        if (!session.port.port->writeByte(byte)) {
            ReportPortFailure(session);
            return false;
        }
    return true;
}

void ReportLinkFault(Session& session, const std::string& text, MessageKind kind) {
    LinkState& link = session.link;
    link.faultReported = true;
    if (link.faultMessagesLeft == 0)
        return;
    if (link.faultMessagesLeft > 0)
        --link.faultMessagesLeft;
    session.prompter.ask(kind, text);
}

bool DiscardStaleInput(Session& session) {
    SerialPort& port = *session.port.port;
    // Only what is waiting now (a zero wait lets the port take in what the system holds): a
    // line that keeps talking cannot hold the request back.
    port.waitReadable(0);
    const int waiting = port.bytesWaiting();
    std::string dropped;
    for (int i = 0; i < waiting || waiting < 0; ++i) {
        const int read = waiting > 0 ? port.readByte() : -1;
        if (read < 0) {
            ReportPortFailure(session);
            return false;
        }
        dropped += FormatTraceByte(static_cast<std::uint8_t>(read));
        if (read < 128) // a header: the start of a frame nobody waited for
            session.link.noteStrayHeader(static_cast<std::uint8_t>(read));
    }
    if (!dropped.empty())
        session.trace.append("discarded" + dropped + CrLf);
    return true;
}

} // namespace vexa
