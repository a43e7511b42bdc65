#include "files/DeviceLibraryActions.h"

#include "files/DeviceHead.h"
#include "files/DeviceLibraryFormat.h"
#include "files/DeviceLibraryReader.h"
#include "files/DeviceLibraryWriter.h"
#include "files/FileKeywords.h"
#include "files/FileMessages.h"
#include "files/SafeFile.h"
#include "files/StandardLibraryPath.h"
#include "model/TextEncoding.h"

#include <filesystem>

namespace vexa {

namespace {

// Far above any device library; guards against a wrong pick.
constexpr std::size_t MaxLibraryBytes = 16 * 1024 * 1024;
constexpr std::size_t LongestCaption = 50;
constexpr std::size_t ShortenedCaptionTail = 48;

constexpr const char* InvalidLibraryMessage = "Invalid definition file";
constexpr const char* UnknownVersionText = "Unknown";

// Reads the catalogue of a library file. False when there is no file to read (`error` empty: the
// dialog was cancelled) or it cannot be read (`error` names the file and says why).
bool ReadLibrary(const std::string& path, LibraryContents& contents, std::string& error) {
    error.clear();
    std::string bytes;
    if (path.empty())
        return false;
    if (!ReadFileBytes(path, MaxLibraryBytes, bytes, error)) {
        error = UnreadableFileText(path, error);
        return false;
    }
    contents = ReadLibraryContents(bytes);
    return true;
}

// A first message line, and the reason on the next when there is one.
std::string WithReason(const std::string& first, const std::string& reason) {
    return reason.empty() ? first : first + "\r\n" + reason;
}

std::string InvalidHeaderMessage(const std::string& path) {
    return WithReason(InvalidLibraryMessage,
                      "The file " + path + " does not start with \"" + devicelibrary::HeaderName + "\"");
}

// A library that is not whole, or a device whose lines cannot be read: "<path>: Line <n>: ...".
std::string LibraryProblemMessage(const std::string& path, const std::string& problem) {
    return WithReason(InvalidLibraryMessage, path + ": " + problem);
}

// A library whose devices may be listed: a valid header, and whole.
bool AcceptContents(Session& session, const LibraryContents& contents, const std::string& path) {
    if (!contents.header.valid)
        session.prompter.ask(MessageKind::OkWarning, InvalidHeaderMessage(path));
    else if (!contents.problem.empty())
        session.prompter.ask(MessageKind::OkWarning, LibraryProblemMessage(path, contents.problem));
    return contents.header.valid && contents.problem.empty();
}

std::string VersionTextOf(const LibraryHeader& header) {
    return header.hasVersion ? header.versionText : UnknownVersionText;
}

void AppendNames(DeviceCatalogue& catalogue, const LibraryContents& contents, const std::string& path) {
    for (const std::string& name : contents.names)
        catalogue.entries.push_back({name, path});
}

std::string UsedPinsMessage(const std::vector<int>& pins) {
    std::string text = "The following Pin numbers were already used: \n\r";
    for (std::size_t i = 0; i < pins.size(); ++i)
        text += (i == 0 ? " " : ", ") + std::to_string(pins[i]);
    return text;
}

// The pin refers to a device head, and that device has a name to be saved under (a library
// entry without a name could never be chosen again).
bool CheckSavableDevice(Session& session, int pin) {
    if (!CheckDeviceHead(session, pin))
        return false;
    const int head = HeadPinOf(session.image, pin);
    if (!session.image.pins[static_cast<std::size_t>(head)].deviceDescription.empty())
        return true;
    session.prompter.ask(MessageKind::OkWarning,
                         "The device has no name: enter one in \"Device Name\" before saving the device");
    return false;
}

// A device name in quotes, for messages. Built by appending: GCC 12 warns falsely (-Wrestrict)
// about a literal added to a std::string when it inlines at -O3.
std::string QuotedDeviceName(const std::string& name) {
    std::string text(1, '"');
    text += Utf8FromLatin1(name);
    text += '"';
    return text;
}

} // namespace

std::string ShortenedCaption(const std::string& caption) {
    if (caption.size() <= LongestCaption)
        return caption;
    return ".." + caption.substr(caption.size() - ShortenedCaptionTail);
}

std::string AppendedCaption(const std::string& caption, const std::string& versionText) {
    return ShortenedCaption(caption + " + " + versionText);
}

bool LoadStandardDeviceLibrary(Session& session, FileDialogs& dialogs, const std::string& programFolder) {
    DeviceCatalogue& catalogue = session.devices;
    catalogue.entries.clear();
    std::string path = StandardLibraryPath(programFolder);
    LibraryContents contents;
    std::string error;
    if (!ReadLibrary(path, contents, error)) {
        session.prompter.ask(MessageKind::OkWarning,
                             WithReason("Can not find Device Configuration file at standard location", error));
        path = dialogs.openFileNameWith(DeviceLibraryFilter, StandardLibraryFileName);
        if (!ReadLibrary(path, contents, error)) {
            session.prompter.ask(MessageKind::OkWarning, WithReason("No Device Configuration available", error));
            return false;
        }
    }
    if (!AcceptContents(session, contents, path))
        return false;
    catalogue.caption = VersionTextOf(contents.header);
    AppendNames(catalogue, contents, path);
    return true;
}

bool AddDeviceLibrary(Session& session, const std::string& path, bool append, const std::string& unreadableText) {
    LibraryContents contents;
    std::string error;
    if (!ReadLibrary(path, contents, error)) {
        session.prompter.ask(MessageKind::OkWarning, WithReason(unreadableText, error));
        return false;
    }
    if (!AcceptContents(session, contents, path))
        return false;
    DeviceCatalogue& catalogue = session.devices;
    const std::string version = VersionTextOf(contents.header);
    if (append) {
        catalogue.caption = AppendedCaption(catalogue.caption, version);
    } else {
        catalogue.entries.clear();
        catalogue.caption = ShortenedCaption(version);
    }
    AppendNames(catalogue, contents, path);
    return true;
}

bool ReloadDeviceLibrary(Session& session, FileDialogs& dialogs, bool append) {
    return AddDeviceLibrary(session, dialogs.openFileName(DeviceLibraryFilter), append);
}

bool LoadDevice(Session& session, const std::string& name, int startPin) {
    std::vector<int> usedPins;
    if (!LoadDeviceInto(session, name, startPin, usedPins))
        return false;
    TellUsedPins(session, usedPins);
    return true;
}

void TellUsedPins(Session& session, const std::vector<int>& usedPins) {
    if (!usedPins.empty())
        session.prompter.ask(MessageKind::OkWarning, UsedPinsMessage(usedPins));
}

bool LoadDeviceInto(Session& session, const std::string& name, int startPin, std::vector<int>& usedPins,
                    int chosenEntry) {
    usedPins.clear();
    if (name.empty()) {
        session.tell("Select Devicename to load");
        return false;
    }
    const std::vector<DeviceCatalogue::Entry>& entries = session.devices.entries;
    const bool chosen = chosenEntry >= 0 && static_cast<std::size_t>(chosenEntry) < entries.size() &&
                        entries[static_cast<std::size_t>(chosenEntry)].name == name;
    const int entry = chosen ? chosenEntry : session.devices.find(name);
    if (entry < 0) {
        session.prompter.ask(MessageKind::OkWarning,
                             QuotedDeviceName(name) +
                                 " is not a device of the loaded definitions: choose one from the list");
        return false;
    }
    const std::string& path = session.devices.entries[static_cast<std::size_t>(entry)].path;
    std::string bytes;
    if (!ReadFileOrTell(session, path, MaxLibraryBytes, bytes))
        return false;
    DeviceLoader loader(bytes);
    switch (loader.load(name, session.image, startPin)) {
    case DeviceLoader::Outcome::InvalidHeader:
        session.prompter.ask(MessageKind::OkWarning, InvalidHeaderMessage(path));
        return false;
    case DeviceLoader::Outcome::NotFound:
        session.tell(WithReason("No match found", QuotedDeviceName(name) + " is not in the file " + path));
        return false;
    case DeviceLoader::Outcome::Malformed:
        session.prompter.ask(MessageKind::OkWarning, LibraryProblemMessage(path, loader.problem()));
        return false;
    case DeviceLoader::Outcome::Loaded:
        break;
    }
    usedPins = loader.usedPins();
    return true;
}

bool SaveDevice(Session& session, int pin, const std::string& path) {
    if (!CheckSavableDevice(session, pin))
        return false;
    const int head = HeadPinOf(session.image, pin);
    if (const std::optional<KeywordText> keyword = FindKeywordText(session.image, head, session.numberingBase)) {
        session.prompter.ask(MessageKind::OkWarning,
                             "The device cannot be saved: " + KeywordRefusal(keyword->where, keyword->text));
        return false;
    }
    return ReplaceFileOrTell(session, path, FormatDeviceLibrary(session.image, head));
}

bool SaveDeviceWithDialog(Session& session, FileDialogs& dialogs, int pin) {
    if (!CheckSavableDevice(session, pin))
        return false;
    const std::string path = dialogs.saveFileName(DeviceLibraryFilter);
    if (path.empty())
        return false;
    return SaveDevice(session, pin, path);
}

} // namespace vexa
