#include "core/VerificationReport.h"

namespace vexa {

void LogVerificationLine(Session& session, const std::string& text) {
    session.verificationReport += text + "\r\n";
}

bool RunVerifyCommand(Session& session, const std::function<bool(Session&)>& verification, VerdictLineEnd lineEnd) {
    session.verificationReport.clear();
    const bool passed = verification && verification(session);
    if (passed) {
        if (lineEnd == VerdictLineEnd::CrLf)
            LogVerificationLine(session, VerifyOkText);
        else
            session.verificationReport += VerifyOkText;
    }
    return passed;
}

} // namespace vexa
