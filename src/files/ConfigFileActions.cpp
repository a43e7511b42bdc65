#include "files/ConfigFileActions.h"

#include "files/ConfigFileFormat.h"
#include "files/ConfigFileReader.h"
#include "files/ConfigFileWriter.h"
#include "files/SafeFile.h"

namespace vexa {

namespace {

// Far above any configuration file (a full one is about 50 kB); guards against a wrong pick.
constexpr std::size_t MaxConfigFileBytes = 16 * 1024 * 1024;

constexpr const char* InvalidFileMessage = "Invalid configuration file";

} // namespace

bool SaveConfigurationFile(Session& session, const std::string& path, bool compact) {
    const std::string bytes = FormatConfigurationFile(session.image, compact);
    std::string error;
    if (!ReplaceFileBytes(path, bytes, error)) {
        session.prompter.ask(MessageKind::OkError, "The file " + path + " could not be saved:\r\n" + error);
        return false;
    }
    return true;
}

bool LoadConfigurationFile(Session& session, const std::string& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, MaxConfigFileBytes, bytes, error)) {
        session.prompter.ask(MessageKind::OkError, "The file " + path + " could not be read:\r\n" + error);
        return false;
    }
    ConfigFileReader reader(bytes);
    if (!reader.readHeader()) {
        session.prompter.ask(MessageKind::OkWarning, InvalidFileMessage);
        return false;
    }
    if (reader.version() < configfile::DataFileVersion)
        session.prompter.ask(MessageKind::OkInformation, "Data File Version = " + std::to_string(reader.version()));
    // Read into a copy so that a file that breaks off half-way changes nothing.
    ConfigurationImage loaded = session.image;
    if (!reader.readBody(loaded)) {
        session.prompter.ask(MessageKind::OkWarning, std::string(InvalidFileMessage) + "\r\n" + reader.problem());
        return false;
    }
    session.image = std::move(loaded);
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
