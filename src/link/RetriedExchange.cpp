// SendVexaMessage: the tries of one exchange. A read whose answer does not come, or comes
// malformed, is sent again up to the link's retry limit; a write is never sent again, but when
// its acknowledgement is lost, reading its part back tells whether the controller holds it.
#include "link/AnswerMatch.h"
#include "link/Exchange.h"
#include "link/ExchangeTry.h"
#include "link/HeldTraffic.h"
#include "link/LinkMessages.h"
#include "link/PortWait.h"

#include <optional>

namespace vexa {

namespace {

void TraceRetry(Session& session, int retry, const char* what) {
    session.trace.append("retry " + std::to_string(retry) + " of " + std::to_string(session.link.retryLimit) + what +
                         CrLf);
    ++session.link.retriesTaken;
}

// Sends the read, the first time as retry `retry` (0 = the first try), and again while its
// answer is missing and retries are left.
TryOutcome SendRead(Session& session, const std::vector<int>& data, int retry, const char* what) {
    for (;; ++retry) {
        const TryOutcome outcome = ExchangeOnce(session, true, data, retry < session.link.retryLimit);
        if (outcome != TryOutcome::AnswerMissing)
            return outcome;
        TraceRetry(session, retry + 1, what);
    }
}

// Sends a write, or any request that is never repeated. When a write's acknowledgement is lost
// and retries are allowed, its part is read back (with the retries left): the write counts as
// acknowledged when the controller holds what it stores, and as unanswered otherwise.
TryOutcome SendOnce(Session& session, bool expectAnswer, const std::vector<int>& data) {
    LinkState& link = session.link;
    const std::optional<std::vector<int>> readBack =
        link.retryLimit > 0 ? ReadBackRequest(data) : std::optional<std::vector<int>>{};
    const TryOutcome outcome = ExchangeOnce(session, expectAnswer, data, readBack.has_value());
    if (outcome != TryOutcome::AnswerMissing)
        return outcome;
    const char* const what = " (read back)";
    TraceRetry(session, 1, what);
    if (SendRead(session, *readBack, 1, what) != TryOutcome::Sent || !link.answerValid) {
        link.answerValid = false;
        return TryOutcome::Sent; // the read back's fault has been told, and the write stays unanswered
    }
    if (AnswerHoldsWrite(data, *readBack, link))
        return TryOutcome::Sent;
    link.answerValid = false;
    ReportLinkFault(session, NoResponseResetText);
    link.bidirectional = false;
    link.bidirectionalLost = true;
    return TryOutcome::Sent;
}

} // namespace

bool SendVexaMessage(Session& session, bool expectAnswer, const std::vector<int>& data) {
    // The tunnel awaits an answer when the request asks for one; the direct link whenever
    // "Bidirectional Comm." is on (which a missing answer switches off).
    const bool answerAwaited = session.link.useCorvan ? expectAnswer : session.link.bidirectional;
    if (session.link.bidirectional)
        session.link.bidirectionalLost = false;
    // Only a read is sent again: repeating it cannot change the controller.
    const TryOutcome outcome =
        expectAnswer && IsReadRequest(data) ? SendRead(session, data, 0, "") : SendOnce(session, expectAnswer, data);
    // A request that went out before the port failed or the wait was stopped may have reached
    // the controller: what it carried is no longer known.
    NoteExchange(session, data, answerAwaited, outcome != TryOutcome::NotSent);
    return outcome == TryOutcome::Sent;
}

} // namespace vexa
