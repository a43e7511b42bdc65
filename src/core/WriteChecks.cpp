#include "core/WriteChecks.h"

namespace vexa {

bool RefusedUnsendable(Session& session, const std::string& problem) {
    if (problem.empty())
        return false;
    session.prompter.ask(MessageKind::OkError, problem);
    return true;
}

void SayLeftAsItIs(Session& session, const std::string& text) {
    session.prompter.ask(MessageKind::OkInformation, text);
}

} // namespace vexa
