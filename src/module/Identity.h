#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

constexpr std::size_t IdStringMaxLength = 12;

// Reads the firmware version into session.versionText ("Unknown" on failure).
bool ReadVersion(Session& session);
// Reads the ID string into session.image.module.idString.
bool ReadIdString(Session& session);
// Refuses (said so, nothing sent) an ID string that IdStringProblem refuses; cuts it to 12
// characters (in the image, and says so in a note) and sends it.
bool WriteIdString(Session& session);

// "ID string cut to 12 characters: TEXT", TEXT being what is written.
std::string IdStringCutText(const std::string& written);
// "" when the ID string is sent as it stands, else what the write does with it (cuts it to 12
// characters) or why it refuses it (a character beyond 7-bit ASCII).
std::string IdStringProblem(const ModuleSettings& module);

// True when every character is 7-bit ASCII.
bool IsSevenBitAscii(const std::string& text);

// The character an ID string cannot hold: a data file or layout list writes it as ' , so
// that the file would no longer compare with the controller.
inline constexpr char IdStringRefusedCharacter = '"';
// "" when the ID string can be written, else the message that says why not (naming the
// character): 7-bit ASCII only, without a double quote or a line break.
std::string IdStringProblem(const std::string& text);

// The ID string (the image's Latin-1) in double quotes, as a UTF-8 report shows it: a double
// quote and a backslash inside are written \" and \\, a control character \xNN, so that a
// line that shows it stays one record.
std::string QuotedIdString(const std::string& idString);

} // namespace vexa
