#include "files/ConfigFileActions.h"

#include "files/ConfigFileFormat.h"
#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"
#include "files/FileMessages.h"
#include "files/SafeFile.h"

namespace vexa {

namespace {

// Far above any configuration file (a full one is about 50 kB); guards against a wrong pick.
constexpr std::size_t MaxConfigFileBytes = 16 * 1024 * 1024;

constexpr const char* InvalidFileMessage = "Invalid configuration file";

// "<path>: Invalid configuration file", and where and what on the next line when known.
std::string InvalidFileText(const std::string& path, const std::string& where) {
    std::string text = path + ": " + InvalidFileMessage;
    if (!where.empty())
        text += "\r\n" + where;
    return text;
}

} // namespace

bool SaveConfigurationFile(Session& session, const std::string& path, bool compact) {
    return ReplaceFileOrTell(session, path, FormatConfigurationFile(session.image, compact));
}

bool LoadConfigurationFile(Session& session, const std::string& path) {
    std::string bytes;
    if (!ReadFileOrTell(session, path, MaxConfigFileBytes, bytes))
        return false;
    ConfigFileReader reader(bytes);
    if (!reader.readHeader()) {
        session.prompter.ask(MessageKind::OkWarning, InvalidFileText(path, {}));
        return false;
    }
    if (reader.version() < configfile::DataFileVersion)
        session.prompter.ask(MessageKind::OkInformation, "Data File Version = " + std::to_string(reader.version()));
    // Read into a copy so that a file that breaks off half-way changes nothing.
    ConfigurationImage loaded = session.image;
    if (!reader.readBody(loaded)) {
        session.prompter.ask(MessageKind::OkWarning, InvalidFileText(path, reader.problem()));
        return false;
    }
    session.image = std::move(loaded);
    session.eventTableShown = true;
    return true;
}

bool ReadConfigurationFile(const std::string& path, ConfigurationFileContents& contents, std::string& problem) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, MaxConfigFileBytes, bytes, error)) {
        problem = UnreadableFileText(path, error);
        return false;
    }
    ConfigFileReader reader(bytes);
    ConfigurationFileContents read;
    if (!reader.readHeader()) {
        problem = InvalidFileText(path, {});
        return false;
    }
    if (!reader.readBody(read.image)) {
        problem = InvalidFileText(path, reader.problem());
        return false;
    }
    read.pins = reader.pinsNamed();
    contents = std::move(read);
    return true;
}

bool SaveConfigurationWithDialog(Session& session, FileDialogs& dialogs, bool compact) {
    const std::string path = dialogs.saveFileName(ConfigFileFilter);
    if (path.empty())
        return false;
    return SaveConfigurationFile(session, path, compact);
}

bool LoadConfigurationWithDialog(Session& session, FileDialogs& dialogs) {
    const std::string path = dialogs.openFileName(ConfigFileFilter);
    if (path.empty())
        return false;
    return LoadConfigurationFile(session, path);
}

} // namespace vexa
