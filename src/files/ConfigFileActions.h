#pragma once

#include "core/FileDialogs.h"
#include "core/Session.h"
#include "files/ConfigFileReader.h"

#include <string>

namespace vexa {

inline constexpr const char* ConfigFileFilter = "Vexa Config Data|*.dat";

// Saves the configuration (in full, or compact) to the named file; false with a message on failure.
bool SaveConfigurationFile(Session& session, const std::string& path, bool compact);
// Loads the named file into the image; the image is unchanged unless the whole file reads cleanly.
// A file that cannot be used is named in the message.
bool LoadConfigurationFile(Session& session, const std::string& path);

// What a data file holds: its configuration read into a fresh one (what the file does not hold
// stays as at a start, the enforced mode and the enable map unknown), and the pins it names.
struct ConfigurationFileContents {
    ConfigurationImage image;
    PinsNamed pins{};
};

// Reads the named file without asking or telling anything (the version note of an older file
// included), for a comparison. False when the file cannot be read or is not a configuration
// file; `problem` then names the file and says what is wrong.
bool ReadConfigurationFile(const std::string& path, ConfigurationFileContents& contents, std::string& problem);

// The "Save File" and "Load File" buttons: ask for a name, then save or load. A cancelled
// dialog does nothing.
bool SaveConfigurationWithDialog(Session& session, FileDialogs& dialogs, bool compact);
bool LoadConfigurationWithDialog(Session& session, FileDialogs& dialogs);

} // namespace vexa
