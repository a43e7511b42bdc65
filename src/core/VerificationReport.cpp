#include "core/VerificationReport.h"

#include "core/RetryCount.h"

namespace vexa {

void LogVerificationLine(Session& session, const std::string& text) {
    session.verificationReport += text + "\r\n";
}

void LogRetriesSince(Session& session, int retriesBefore) {
    const std::string line = VerificationRetriesLine(session.link.retriesTaken - retriesBefore);
    if (!line.empty())
        LogVerificationLine(session, line);
}

bool RunVerifyCommand(Session& session, const std::function<bool(Session&)>& verification, VerdictLineEnd lineEnd) {
    session.verificationReport.clear();
    const int retriesBefore = session.link.retriesTaken;
    const bool passed = verification && verification(session);
    LogRetriesSince(session, retriesBefore);
    if (passed) {
        if (lineEnd == VerdictLineEnd::CrLf)
            LogVerificationLine(session, VerifyOkText);
        else
            session.verificationReport += VerifyOkText;
    }
    return passed;
}

} // namespace vexa
