#pragma once

#include <string>
#include <string_view>

namespace vexa {

// True when a text equals (case-sensitively) a keyword of the data file or of the device
// library. A reader that looks for keywords field by field (the device list of a library, the
// search for a device) would take such a text for the keyword, so no description or device name
// may be one.
bool IsFileKeyword(std::string_view text);

// "<what> "<keyword>" is a keyword of the data file and the device library: choose another".
std::string KeywordRefusal(const std::string& what, std::string_view keyword);

} // namespace vexa
