#include "module/EraseFlash.h"

#include "core/OperationRunner.h"
#include "link/Exchange.h"
#include "module/Identity.h"
#include "module/SettingRequests.h"

#include <cmath>

namespace vexa {

namespace {

constexpr int PollIntervalMs = 1000;

// Seconds from `start` to now on the session's steady clock.
double SecondsSince(Session& session, double start) {
    return session.clock.steadySeconds() - start;
}

} // namespace

bool SendEraseRequest(Session& session) {
    LinkState& link = session.link;
    const bool bidirectional = link.bidirectional;
    link.bidirectional = false;
    const bool sent = SendSetting(session, ModuleSetting::Version,
                                  std::vector<int>(EraseConfirmationBytes.begin(), EraseConfirmationBytes.end()));
    link.bidirectional = bidirectional;
    return sent;
}

bool EraseFlash(Session& session) {
    if (!session.prompter.ask(MessageKind::OkCancelWarning, EraseFirstQuestion))
        return false;
    // The second question asks whether to cancel: OK cancels, Cancel goes ahead.
    if (session.prompter.ask(MessageKind::OkCancelWarning, EraseSecondQuestion))
        return false;
    return SendEraseRequest(session);
}

bool AwaitControllerAfterErase(Session& session, int limitSeconds, const std::function<void(int)>& waiting) {
    const double start = session.clock.steadySeconds();
    for (int attempt = 1;; ++attempt) {
        // Attempts start a second apart; one that waited out its answer time starts the next at once.
        const double due = attempt * (PollIntervalMs / 1000.0);
        const double elapsed = SecondsSince(session, start);
        if (due > limitSeconds || elapsed > limitSeconds)
            return false;
        if (elapsed < due && !PauseAlive(session, static_cast<int>(std::ceil((due - elapsed) * 1000.0))))
            return false;
        if (waiting)
            waiting(static_cast<int>(SecondsSince(session, start)));
        ResetFrameToggle(session); // the controller starts afresh after the erase
        ReadVersion(session);
        if (session.link.answerValid)
            return true; // it answers again, whatever it says
        if (!session.port.isOpen())
            return false;
        session.link.faultReported = false; // silence is what the erase leads us to expect
    }
}

} // namespace vexa
