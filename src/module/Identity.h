#pragma once

#include "core/Session.h"

#include <string>

namespace vexa {

constexpr std::size_t IdStringMaxLength = 12;

// Reads the firmware version into session.versionText ("Unknown" on failure).
bool ReadVersion(Session& session);
// Reads the ID string into session.image.module.idString.
bool ReadIdString(Session& session);
// Cuts the ID string to 12 characters (in the image) and sends it.
bool WriteIdString(Session& session);

// True when every character is 7-bit ASCII.
bool IsSevenBitAscii(const std::string& text);

} // namespace vexa
