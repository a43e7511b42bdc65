#include "cli/EventCommands.h"

#include "cli/VerificationOutput.h"
#include "events/EventTransfer.h"
#include "events/EventVerification.h"

#include <optional>
#include <sstream>

namespace vexa::cli {

namespace {

void ListActions(std::ostream& out, const EventActions& actions) {
    for (int action : actions)
        out << ' ' << action;
}

// The four flags of one row, or "unknown" while the map is unknown.
void ListEnabled(std::ostream& out, const std::optional<EnableMap>& map, int first) {
    if (!map) {
        out << " unknown";
        return;
    }
    for (int k = 0; k < EventInputCount; ++k)
        out << ' ' << ((*map)[static_cast<std::size_t>(first + k)] ? 1 : 0);
}

// Four digits 0 or 1 into entries first..first + 3 of the map.
bool ParseEnableDigits(const std::string& text, EnableMap& map, int first) {
    if (text.size() != static_cast<std::size_t>(EventInputCount))
        return false;
    for (int k = 0; k < EventInputCount; ++k) {
        const char digit = text[static_cast<std::size_t>(k)];
        if (digit != '0' && digit != '1')
            return false;
        map[static_cast<std::size_t>(first + k)] = digit == '1';
    }
    return true;
}

} // namespace

std::string EventListing(const Session& session) {
    std::ostringstream out;
    for (int pin = 0; pin < PinCount; ++pin) {
        const EventRecord& record = session.image.events[static_cast<std::size_t>(pin)];
        out << "Pin " << pin + session.numberingBase << " ON:";
        ListActions(out, record.onEvents);
        out << " OFF:";
        ListActions(out, record.offEvents);
        out << '\n';
    }
    out << "Initial enable ON:";
    ListEnabled(out, session.image.enableMap, 0);
    out << " OFF:";
    ListEnabled(out, session.image.enableMap, EventInputCount);
    out << '\n';
    return out.str();
}

bool RunReadEvents(CliContext& context, const std::string&) {
    if (!ReadAllEvents(context.session) || !ReadEnableMap(context.session))
        return false;
    context.out << EventListing(context.session);
    return true;
}

bool RunWriteEvents(CliContext& context, const std::string&) {
    return WriteAllEvents(context.session) && WriteEnableMap(context.session);
}

bool RunVerifyEvents(CliContext& context, const std::string&) {
    return VerifyAndPrintReport(context, RunVerifyEventControl);
}

bool RunSetEnableMap(CliContext& context, const std::string&) {
    EnableMap map{};
    const std::vector<std::string>& args = context.arguments;
    if (args.size() != 2 || !ParseEnableDigits(args[0], map, 0) || !ParseEnableDigits(args[1], map, EventInputCount)) {
        context.session.prompter.ask(MessageKind::OkError,
                                     "Invalid enable map: give ON and OFF as four digits 0 or 1 each, for inputs 0..3");
        return false;
    }
    context.session.image.enableMap = map;
    return true;
}

} // namespace vexa::cli
