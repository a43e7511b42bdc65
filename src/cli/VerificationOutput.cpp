#include "cli/VerificationOutput.h"

#include "cli/TerminalText.h"

namespace vexa::cli {

std::string WithLineFeeds(const std::string& report) {
    std::string text;
    text.reserve(report.size());
    for (std::size_t i = 0; i < report.size(); ++i)
        if (!(report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n'))
            text += report[i];
    return text;
}

bool VerifyAndPrintReport(CliContext& context, bool (*verify)(Session&)) {
    Session& session = context.session;
    if (!session.port.isOpen()) {
        session.tell("Select communications port");
        return false;
    }
    const bool verified = verify(session);
    std::string report = WithLineFeeds(session.verificationReport);
    if (!report.empty() && report.back() != '\n')
        report += '\n';
    context.out << TerminalText(report);
    return verified;
}

} // namespace vexa::cli
