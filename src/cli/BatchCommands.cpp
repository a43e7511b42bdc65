#include "cli/BatchCommands.h"

#include "app/BatchOperations.h"
#include "cli/VerificationOutput.h"
#include "core/VerificationReport.h"

namespace vexa::cli {

namespace {

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
    return VerifyAndPrintReport(context, VerifyAll) && EndsWith(context.session.verificationReport, VerifyOkText);
}

} // namespace vexa::cli
