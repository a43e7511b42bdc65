#pragma once

#include "core/FileDialogs.h"
#include "core/Session.h"

#include <string>
#include <vector>

namespace vexa {

inline constexpr const char* DeviceLibraryFilter = "Vexa Device Definitions|*.def";

// The caption after a library was appended: the old caption, " + " and the new version text;
// a caption longer than 50 characters is shown as ".." and its last 48 characters.
std::string AppendedCaption(const std::string& caption, const std::string& versionText);
std::string ShortenedCaption(const std::string& caption);

// Start of the window: the catalogue is emptied and filled from the standard library in the
// program's folder; when that is missing the user is told and asked for a library instead.
bool LoadStandardDeviceLibrary(Session& session, FileDialogs& dialogs, const std::string& programFolder);

// Reads the device names of a library file into the catalogue: in place of the ones there, or
// after them (append). A file that cannot be read, has no valid header or is not whole (cut
// off) changes nothing; the message names the file. `unreadableText` is the first line of the
// message when there is no file or it cannot be read.
inline constexpr const char* NoLibrarySelectedText = "No Device Configuration file selected";
bool AddDeviceLibrary(Session& session, const std::string& path, bool append,
                      const std::string& unreadableText = NoLibrarySelectedText);
// "Reload DD": asks for the library file first.
bool ReloadDeviceLibrary(Session& session, FileDialogs& dialogs, bool append);

// "Load Device": copies the named device of the catalogue into the pins from `startPin` on.
// A name that is not in the catalogue is refused. Nothing is sent to the controller.
bool LoadDevice(Session& session, const std::string& name, int startPin);
// The same in two parts, so that a window can show the loaded pins before the message: loads
// and hands back the pins that held a description before; then tells the user about them.
// `chosenEntry` is the catalogue entry picked from the list when several carry the name; by
// default the first entry of that name counts.
bool LoadDeviceInto(Session& session, const std::string& name, int startPin, std::vector<int>& usedPins,
                    int chosenEntry = -1);
void TellUsedPins(Session& session, const std::vector<int>& usedPins);

// "Save Device": writes the device around `pin` into a library file of its own. The file is
// replaced only when every byte was written.
bool SaveDevice(Session& session, int pin, const std::string& path);
bool SaveDeviceWithDialog(Session& session, FileDialogs& dialogs, int pin);

} // namespace vexa
