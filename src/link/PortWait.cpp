#include "link/PortWait.h"

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

// Longest single block on the port, so that a window can repaint during a wait.
constexpr int WaitSliceMs = 50;
constexpr int DiscardLimit = 65536;

} // namespace

bool AnswerTimeOver(Session& session, double t0) {
    const double now = session.clock.secondsOfDay();
    return now > t0 + AnswerTimeoutSeconds || now < t0;
}

WaitResult WaitForByte(Session& session, double t0) {
    for (;;) {
        const double now = session.clock.secondsOfDay();
        if (now > t0 + AnswerTimeoutSeconds || now < t0)
            return WaitResult::TimedOut;
        const int waiting = session.port.port->bytesWaiting();
        if (waiting < 0)
            return WaitResult::PortFailed;
        if (waiting > 0)
            return WaitResult::Byte;
        const double left = t0 + AnswerTimeoutSeconds - now;
        const int sliceMs = std::clamp(static_cast<int>(std::ceil(left * 1000.0)), 1, WaitSliceMs);
        session.port.port->waitReadable(sliceMs);
        session.progress->keepAlive();
    }
}

void ReportPortFailure(Session& session) {
    const std::string reason = session.port.port ? session.port.port->errorString() : std::string();
    if (session.port.port)
        session.port.port->close();
    session.tell("The serial port " + session.port.name + " stopped working" + (reason.empty() ? "" : ": " + reason) +
                 CrLf + "The port has been closed. Choose a port again to go on.");
}

bool WriteBytes(Session& session, const std::vector<std::uint8_t>& bytes) {
    for (std::uint8_t byte : bytes)
        if (!session.port.port->writeByte(byte)) {
            ReportPortFailure(session);
            return false;
        }
    return true;
}

bool DiscardWaitingBytes(Session& session) {
    // Bounded, so that a line that never stops sending cannot hold the link here for ever.
    for (int taken = 0; taken < DiscardLimit; ++taken) {
        const int waiting = session.port.port->bytesWaiting();
        if (waiting == 0)
            return true;
        if (waiting < 0 || session.port.port->readByte() < 0) {
            ReportPortFailure(session);
            return false;
        }
    }
    return true;
}

} // namespace vexa
