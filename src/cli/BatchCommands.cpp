#include "cli/BatchCommands.h"

#include "batch/BatchOperations.h"
#include "cli/CommandOutput.h"
#include "cli/VerificationOutput.h"
#include "core/VerificationReport.h"

namespace vexa::cli {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

bool RunReadAll(CliContext& context, const std::string&) {
    return RunAndSayDone(context, ReadAll, "Read All done");
}

bool RunWriteAll(CliContext& context, const std::string&) {
    return RunAndSayDone(context, WriteAll, "Write All done");
}

bool RunVerifyAll(CliContext& context, const std::string&) {
    return VerifyAndPrintReport(context, VerifyAll) && EndsWith(context.session.verificationReport, VerifyOkText);
}

} // namespace vexa::cli
