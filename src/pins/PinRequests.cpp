#include "pins/PinRequests.h"

#include "link/Exchange.h"

namespace vexa {

bool AskController(Session& session, const std::vector<int>& request) {
    return SendVexaMessage(session, true, request) && session.link.answerValid;
}

bool AnswerEchoes(const LinkState& link, int size, std::initializer_list<int> echo) {
    if (link.answerSize() != size)
        return false;
    int i = 0;
    for (int expected : echo)
        if (link.answerData(i++) != expected)
            return false;
    return true;
}

void ReportPinProgress(Session& session, const char* stage, int pin) {
    session.progress->stage(stage);
    session.progress->count(pin + 1, PinCount);
}

} // namespace vexa
