#pragma once

#include <string>
#include <string_view>

namespace vexa {

// Encodings where text crosses a boundary:
// - Messages to the user, report lines and file paths are UTF-8 (what the window and the
//   terminal show; on the systems the tool runs on, paths are UTF-8 bytes too).
// - Texts of the configuration (ID string, descriptions, device names) are Latin-1 bytes, one
//   per character, exactly as the data file and the device library hold them.
// A configuration text put into a message is converted with Utf8FromLatin1.
std::string Utf8FromLatin1(std::string_view latin1);

} // namespace vexa
