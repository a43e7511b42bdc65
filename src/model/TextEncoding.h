#pragma once

#include <string>
#include <string_view>

namespace vexa {

// Encodings where text crosses a boundary:
// - Messages to the user, report lines, file paths and the command line are UTF-8 (what the
//   window and the terminal show; on the systems the tool runs on, paths are UTF-8 bytes too).
// - Texts of the configuration (ID string, descriptions, device names) are Latin-1 bytes, one
//   per character, exactly as the data file and the device library hold them.
// These convert at that boundary: a configuration text put into a message goes through
// Utf8FromLatin1, a text typed on the command line through Latin1FromUtf8.

// Latin-1 bytes as UTF-8.
std::string Utf8FromLatin1(std::string_view latin1);

// UTF-8 text as Latin-1 bytes. False, with `refused` set to the first character that has no
// Latin-1 byte (as UTF-8), or to "" when the text is no valid UTF-8; `latin1` is then empty.
bool Latin1FromUtf8(std::string_view utf8, std::string& latin1, std::string& refused);

// Decodes the character of UTF-8 text that starts at `position` and moves past it. False (with
// `position` unchanged) at the end of the text or where the bytes are no valid UTF-8.
bool NextUtf8Character(std::string_view utf8, std::size_t& position, char32_t& character);

} // namespace vexa
