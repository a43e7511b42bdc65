#include "cli/LiveCommands.h"

#include "cli/CliOptions.h"
#include "cli/PinCommands.h"
#include "live/LiveRequests.h"
#include "live/ModuleCommands.h"

#include <optional>

namespace vexa::cli {

namespace {

constexpr int LastAspect = AspectCount - 1;
constexpr int LastByte = 127;

// The whole number of an argument within first..last, or nothing (with a message).
std::optional<int> NumberArgument(Session& session, const std::string& what, const std::string& text, int first,
                                  int last) {
    int value = 0;
    if (ParseInteger(text, value) && value >= first && value <= last)
        return value;
    session.prompter.ask(MessageKind::OkError, "Invalid " + what + " \"" + text + "\": give a number from " +
                                                   std::to_string(first) + " to " + std::to_string(last));
    return std::nullopt;
}

// The second argument of a two-argument command.
const std::string& Second(const CliContext& context) {
    static const std::string none;
    return context.arguments.size() > 1 ? context.arguments[1] : none;
}

} // namespace

bool RunSetAspect(CliContext& context, const std::string& pin) {
    const std::optional<int> target = PinOfArgument(context.session, pin);
    const std::optional<int> aspect =
        target ? NumberArgument(context.session, "aspect", Second(context), 0, LastAspect) : std::nullopt;
    return aspect && SendLiveRequest(context.session, LiveOperation::PinAspect, *target, *aspect);
}

bool RunSetAddressAspect(CliContext& context, const std::string& address) {
    const std::optional<int> target = NumberArgument(context.session, "serial address", address, 0, LastByte);
    const std::optional<int> aspect =
        target ? NumberArgument(context.session, "aspect", Second(context), 0, LastByte) : std::nullopt;
    return aspect && SendLiveRequest(context.session, LiveOperation::SerialAspect, *target, *aspect);
}

bool RunServo(CliContext& context, const std::string& pin) {
    const std::optional<int> target = PinOfArgument(context.session, pin);
    const std::optional<int> position = target ? NumberArgument(context.session, "servo position", Second(context),
                                                                ServoPositionMinimum, ServoPositionMaximum)
                                               : std::nullopt;
    return position && SendServoPosition(context.session, *target, *position, context.dynamic);
}

bool RunPwm(CliContext& context, const std::string& pin) {
    const std::optional<int> target = PinOfArgument(context.session, pin);
    const std::optional<int> level =
        target ? NumberArgument(context.session, "PWM level", Second(context), 0, PwmLevelMaximum) : std::nullopt;
    return level && SendPwmLevel(context.session, *target, *level, context.slow);
}

bool RunReset(CliContext& context, const std::string&) {
    return SendModuleReset(context.session, context.session.link.moduleAddress);
}

bool RunClearAll(CliContext& context, const std::string&) {
    return SendClearAll(context.session, context.session.link.moduleAddress);
}

bool RunLampTest(CliContext& context, const std::string&) {
    return SendLampTest(context.session, context.session.link.moduleAddress);
}

} // namespace vexa::cli
