#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

constexpr std::size_t IdStringMaxLength = 12;

// Reads the firmware version into session.versionText ("Unknown" on failure).
bool ReadVersion(Session& session);
// Reads the ID string into session.image.module.idString.
bool ReadIdString(Session& session);
// Cuts the ID string to 12 characters (in the image, and says so in a note) and sends it.
bool WriteIdString(Session& session);

// "ID string cut to 12 characters: TEXT", TEXT being what is written.
std::string IdStringCutText(const std::string& written);
// "" when the ID string is sent as it stands, else what the write does with it (cuts it to 12
// characters) or why it refuses it (a character beyond 7-bit ASCII).
std::string IdStringProblem(const ModuleSettings& module);

// True when every character is 7-bit ASCII.
bool IsSevenBitAscii(const std::string& text);

} // namespace vexa
