#pragma once

#include "core/FileDialogs.h"
#include "core/Session.h"

#include <string>

namespace vexa {

inline constexpr const char* ConfigFileFilter = "Vexa Config Data|*.dat";

// Saves the configuration (in full, or compact) to the named file; false with a message on failure.
bool SaveConfigurationFile(Session& session, const std::string& path, bool compact);
// Loads the named file into the image; the image is unchanged unless the whole file reads cleanly.
bool LoadConfigurationFile(Session& session, const std::string& path);

// Reads the named file into the image without asking or telling anything (the version note of
// an older file included), for a comparison. False when the file cannot be read or is not a
// configuration file; `problem` then names the file and says what is wrong.
bool ReadConfigurationFile(const std::string& path, ConfigurationImage& image, std::string& problem);

// The "Save File" and "Load File" buttons: ask for a name, then save or load. A cancelled
// dialog does nothing.
bool SaveConfigurationWithDialog(Session& session, FileDialogs& dialogs, bool compact);
bool LoadConfigurationWithDialog(Session& session, FileDialogs& dialogs);

} // namespace vexa
