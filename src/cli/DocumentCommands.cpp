#include "cli/DocumentCommands.h"

#include "batch/BatchOperations.h"
#include "documents/AddressMap.h"
#include "documents/DocumentFiles.h"

#include <algorithm>

namespace vexa::cli {

namespace {

constexpr int UnusableInput = 2;

// The boards of the sources; without sources, the configuration at hand, read from the
// controller first when the command is the run's first and a port is given.
bool BoardsOf(CliContext& context, const std::vector<std::string>& sources, BoardSet& set) {
    Session& session = context.session;
    if (!sources.empty()) {
        std::string problem;
        if (ReadBoards(sources, session.numberingBase, session.link.moduleAddress, set, problem))
            return true;
        session.prompter.ask(MessageKind::OkError, problem);
        return false;
    }
    if (context.commandsBefore == 0) {
        if (!session.port.isOpen()) {
            session.prompter.ask(MessageKind::OkError,
                                 "Give a data file or a layout folder, or a port (--port) to read the controller");
            return false;
        }
        if (!ReadAll(session))
            return false;
    }
    set = SessionBoards(session, "Module " + std::to_string(session.link.moduleAddress + session.numberingBase));
    return true;
}

std::vector<std::string> SourcesAfterFirst(const CliContext& context) {
    return {context.arguments.begin() + std::min<std::ptrdiff_t>(1, std::ssize(context.arguments)),
            context.arguments.end()};
}

} // namespace

bool RunSheet(CliContext& context, const std::string& out) {
    SheetFormat format = SheetFormat::Pdf;
    if (!SheetFormatOf(out, format)) {
        context.session.prompter.ask(MessageKind::OkError, "The sheet's file name must end in .pdf or .html: " + out);
        context.failureStatus = UnusableInput;
        return false;
    }
    BoardSet set;
    return BoardsOf(context, SourcesAfterFirst(context), set) && ExportSheet(context.session, set, out);
}

bool RunExportCsv(CliContext& context, const std::string& out) {
    BoardSet set;
    return BoardsOf(context, SourcesAfterFirst(context), set) && ExportPinTable(context.session, set, out);
}

bool RunAddresses(CliContext& context, const std::string&) {
    BoardSet set;
    if (!BoardsOf(context, context.arguments, set)) {
        context.failureStatus = UnusableInput;
        return false;
    }
    const std::vector<AddressEntry> entries = MapAddresses(set);
    for (const std::string& line : AddressMapLines(entries, set.numberingBase))
        context.out << line << '\n';
    return std::none_of(entries.begin(), entries.end(), [](const AddressEntry& entry) { return entry.conflict(); });
}

} // namespace vexa::cli
