#pragma once

#include <string>
#include <string_view>

namespace vexa {

// The texts of the image and of the files are Latin-1 bytes, one byte a character; messages and
// the command line speak UTF-8. These convert at that boundary.

// Latin-1 bytes as UTF-8.
std::string Utf8FromLatin1(std::string_view latin1);

// UTF-8 text as Latin-1 bytes. False, with `refused` set to the first character that has no
// Latin-1 byte (as UTF-8), or to "" when the text is no valid UTF-8; `latin1` is then empty.
bool Latin1FromUtf8(std::string_view utf8, std::string& latin1, std::string& refused);

} // namespace vexa
