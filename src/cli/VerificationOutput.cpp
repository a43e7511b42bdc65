#include "cli/VerificationOutput.h"

namespace vexa::cli {

std::string WithLineFeeds(const std::string& report) {
    std::string text;
    text.reserve(report.size());
    for (std::size_t i = 0; i < report.size(); ++i)
        if (!(report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n'))
            text += report[i];
    return text;
}

// The report's texts are UTF-8 already (configuration texts in it were converted when the
// line was made): printed as they are.
void PrintReport(CliContext& context, const std::string& report) {
    std::string text = WithLineFeeds(report);
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    context.out << text;
    context.retriesTold = true; // a verification's report has its line on the retries
}

bool VerifyAndPrintReport(CliContext& context, bool (*verify)(Session&)) {
    Session& session = context.session;
    if (!session.port.isOpen()) {
        session.tell("Select communications port");
        return false;
    }
    const bool verified = verify(session);
    PrintReport(context, session.verificationReport);
    return verified;
}

} // namespace vexa::cli
