#include "pins/PinRequests.h"

#include "link/Exchange.h"

namespace vexa {

bool AskController(Session& session, const std::vector<int>& request) {
    return SendVexaMessage(session, true, request) && session.link.answerValid;
}

void ReportPinProgress(Session& session, const char* stage, int pin) {
    session.progress->stage(stage);
    session.progress->count(pin + 1, PinCount);
}

} // namespace vexa
