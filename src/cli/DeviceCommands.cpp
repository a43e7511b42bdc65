#include "cli/DeviceCommands.h"

#include "cli/PinCommands.h"
#include "cli/TerminalText.h"
#include "core/Platform.h"
#include "files/DeviceHead.h"
#include "files/DeviceLibraryActions.h"
#include "files/FileKeywords.h"
#include "pins/PinPageRules.h"
#include "pins/PinTransfer.h"

#include <algorithm>
#include <filesystem>

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
        if (!AddDeviceLibrary(session, options.libraries[i], i > 0,
                              "The device library given with --library could not be read"))
            return false;
    return true;
}

bool RunDevices(CliContext& context, const std::string&) {
    for (const DeviceCatalogue::Entry& entry : context.session.devices.entries)
        context.out << TerminalText(entry.name) << '\n';
    context.out << TerminalText(context.session.devices.caption) << '\n';
    return true;
}

bool RunLoadDevice(CliContext& context, const std::string& argument) {
    Session& session = context.session;
    const std::optional<std::string> name = ImageTextOfArgument(session, argument, "load-device");
    if (!name)
        return false;
    if (session.devices.find(*name) < 0) {
        const std::string what =
            name->empty() ? "load-device needs the name of a device" : "\"" + argument + "\" is not a device";
        session.prompter.ask(MessageKind::OkWarning,
                             what + " of the loaded definitions: the command devices lists them");
        return false;
    }
    const std::optional<int> pin = PinOfArgument(session, context.arguments.at(1));
    return pin && LoadDevice(session, *name, *pin);
}

bool RunSetDeviceName(CliContext& context, const std::string& pinText) {
    Session& session = context.session;
    const std::optional<int> pin = PinOfArgument(session, pinText);
    const std::string& argument = context.arguments.at(1);
    const std::optional<std::string> name = ImageTextOfArgument(session, argument, "set-device-name");
    if (!pin || !name)
        return false;
    if (name->empty() || IsFileKeyword(*name) || !std::all_of(name->begin(), name->end(), [](char c) {
            return IsStorableTextCharacter(static_cast<unsigned char>(c));
        })) {
        const std::string refusal = name->empty() ? "set-device-name needs a name that is not empty"
                                    : IsFileKeyword(*name)
                                        ? KeywordRefusal("The name given to set-device-name", *name)
                                        : "The name given to set-device-name cannot hold double quotes or line breaks";
        session.prompter.ask(MessageKind::OkError, refusal);
        return false;
    }
    if (!CheckDeviceHead(session, *pin))
        return false;
    session.image.pins[static_cast<std::size_t>(HeadPinOf(session.image, *pin))].deviceDescription = *name;
    return true;
}

bool RunSaveDevice(CliContext& context, const std::string& pinText) {
    Session& session = context.session;
    const std::optional<int> pin = PinOfArgument(session, pinText);
    if (!pin)
        return false;
    const std::string& path = context.arguments.at(1);
    const int head = HeadPinOf(session.image, *pin);
    const bool isHead = head >= 0 && session.image.pins[static_cast<std::size_t>(head)].deviceReferral == 0;
    if (isHead && session.image.pins[static_cast<std::size_t>(head)].deviceDescription.empty()) {
        session.prompter.ask(MessageKind::OkWarning, "The device of pin " + pinText +
                                                         " has no name: give it one with set-device-name " + pinText +
                                                         " NAME before save-device");
        return false;
    }
    std::error_code ec;
    if (std::filesystem::exists(PathFromUtf8(path), ec) &&
        !session.prompter.ask(MessageKind::YesNo, "The file " + path + " exists already. Replace it?"))
        return false;
    return SaveDevice(session, *pin, path);
}

} // namespace vexa::cli
