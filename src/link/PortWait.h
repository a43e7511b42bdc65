#pragma once

#include "core/Session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* CrLf = "\r\n";

enum class WaitResult { Byte, TimedOut, Stopped, PortFailed };

// Blocks on the port until a byte is waiting, the answer time counted from t0 (a reading of the
// session's steady clock) is over or the user asked to stop. The window is kept alive at least
// every 50 ms meanwhile.
WaitResult WaitForByte(Session& session, double t0);

// True when the answer time counted from t0 is over.
bool AnswerTimeOver(Session& session, double t0);

// True when no request may be sent now: the user asked to stop, or (on the command line) a
// fault has been reported.
bool LinkHalted(Session& session);

// The port stopped working while open (an adapter pulled out): closes it, marks it lost and
// says so once.
void ReportPortFailure(Session& session);

// Writes the bytes one at a time; false (with the port closed and the failure told) when the
// port failed.
bool WriteBytes(Session& session, const std::vector<std::uint8_t>& bytes);

// Shows a link fault and marks it in the link state. While only the first fault is shown (see
// FirstFaultOnly), later ones are only marked.
void ReportLinkFault(Session& session, const std::string& text, MessageKind kind = MessageKind::Ok);

// While it lives, only the first link fault is shown; the later ones that follow from it (the
// tunnel's "No valid response received" after "No answer from Corvan", for example) are only
// marked. One failed poll of the monitor is thus one message.
class FirstFaultOnly {
public:
    explicit FirstFaultOnly(LinkState& link) : link_(link), previous_(link.faultMessagesLeft) {
        link_.faultMessagesLeft = 1;
    }
    ~FirstFaultOnly() { link_.faultMessagesLeft = previous_; }
    FirstFaultOnly(const FirstFaultOnly&) = delete;
    FirstFaultOnly& operator=(const FirstFaultOnly&) = delete;

private:
    LinkState& link_;
    int previous_;
};

// Drops bytes already waiting on the open port (an answer that came too late, line noise), so
// that the next answer read is the answer to the next request; notes them in the trace.
// False when the port stopped working (said so and closed).
bool DiscardStaleInput(Session& session);

} // namespace vexa
