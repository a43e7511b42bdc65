#include "cli/BatchCommands.h"

#include "app/BatchOperations.h"
#include "app/VerificationReport.h"

namespace vexa::cli {

namespace {

// The report joins its lines with CR LF; a terminal wants plain line feeds.
std::string WithLineFeeds(const std::string& report) {
    std::string text;
    text.reserve(report.size());
    for (std::size_t i = 0; i < report.size(); ++i)
        if (!(report[i] == '\r' && i + 1 < report.size() && report[i + 1] == '\n'))
            text += report[i];
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

bool RunReadAll(CliContext& context, const std::string&) {
    if (!ReadAll(context.session))
        return false;
    context.out << "Read All done\n";
    return true;
}

bool RunWriteAll(CliContext& context, const std::string&) {
    if (!WriteAll(context.session))
        return false;
    context.out << "Write All done\n";
    return true;
}

bool RunVerifyAll(CliContext& context, const std::string&) {
    Session& session = context.session;
    if (!session.port.isOpen()) {
        session.tell("Select communications port");
        return false;
    }
    const bool passed = VerifyAll(session);
    std::string report = WithLineFeeds(session.verificationReport);
    if (!report.empty() && report.back() != '\n')
        report += '\n';
    context.out << report;
    return passed && EndsWith(session.verificationReport, VerifyOkText);
}

} // namespace vexa::cli
