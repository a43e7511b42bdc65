#include "cli/DeviceCommands.h"

#include "cli/PinCommands.h"
#include "files/DeviceLibraryActions.h"

namespace vexa::cli {

namespace {

// There is nobody to ask for a file on the command line: every dialog counts as cancelled.
class NoFileDialogs : public FileDialogs {
public:
    std::string openFileName(const std::string&) override { return {}; }
    std::string saveFileName(const std::string&) override { return {}; }
    std::string folderName(const std::string&) override { return {}; }
};

bool UsesCatalogue(const CommandCall& call) {
    return call.command->name == "devices" || call.command->name == "load-device";
}

} // namespace

bool PrepareDeviceCatalogue(const CliOptions& options, Session& session, const std::string& programFolder) {
    if (options.libraries.empty()) {
        for (const CommandCall& call : options.commands) {
            if (UsesCatalogue(call)) {
                NoFileDialogs dialogs;
                return LoadStandardDeviceLibrary(session, dialogs, programFolder);
            }
        }
        return true;
    }
    for (std::size_t i = 0; i < options.libraries.size(); ++i)
        if (!AddDeviceLibrary(session, options.libraries[i], i > 0))
            return false;
    return true;
}

bool RunDevices(CliContext& context, const std::string&) {
    for (const DeviceCatalogue::Entry& entry : context.session.devices.entries)
        context.out << entry.name << '\n';
    context.out << context.session.devices.caption << '\n';
    return true;
}

bool RunLoadDevice(CliContext& context, const std::string& name) {
    const std::optional<int> pin = PinOfArgument(context.session, context.arguments.at(1));
    return pin && LoadDevice(context.session, name, *pin);
}

bool RunSaveDevice(CliContext& context, const std::string& pin) {
    const std::optional<int> head = PinOfArgument(context.session, pin);
    return head && SaveDevice(context.session, *head, context.arguments.at(1));
}

} // namespace vexa::cli
