#include "cli/PinCommands.h"

#include "cli/CliOptions.h"
#include "cli/VerificationOutput.h"
#include "pins/PinTransfer.h"
#include "pins/PinVerification.h"

namespace vexa::cli {

std::optional<int> PinOfArgument(Session& session, const std::string& text) {
    const int first = session.numberingBase;
    const int last = session.numberingBase + PinCount - 1;
    int shown = 0;
    if (!ParseInteger(text, shown) || shown < first || shown > last) {
        session.prompter.ask(MessageKind::OkError, "Invalid pin number \"" + text + "\": give a pin from " +
                                                       std::to_string(first) + " to " + std::to_string(last));
        return std::nullopt;
    }
    return shown - session.numberingBase;
}

namespace {

bool RunOnPin(CliContext& context, const std::string& text, bool (*operation)(Session&, int)) {
    const std::optional<int> pin = PinOfArgument(context.session, text);
    return pin && operation(context.session, *pin);
}

} // namespace

bool RunReadPin(CliContext& context, const std::string& pin) {
    return RunOnPin(context, pin, ReadWholePin);
}
bool RunWritePin(CliContext& context, const std::string& pin) {
    return RunOnPin(context, pin, WriteWholePin);
}
bool RunReadDevice(CliContext& context, const std::string& pin) {
    return RunOnPin(context, pin, ReadDevice);
}
bool RunWriteDevice(CliContext& context, const std::string& pin) {
    return RunOnPin(context, pin, WriteDevice);
}

bool RunReadAllPins(CliContext& context, const std::string&) {
    return ReadAllPins(context.session);
}
bool RunWriteAllPins(CliContext& context, const std::string&) {
    return WriteAllPins(context.session);
}

bool RunVerifyPins(CliContext& context, const std::string&) {
    return VerifyAndPrintReport(context, RunVerifyAllPins);
}

} // namespace vexa::cli
