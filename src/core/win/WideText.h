#pragma once

#include <string>

namespace vexa {

// Windows speaks UTF-16 ("wide") in its own calls; the program keeps every text in UTF-8.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& wide);

// The system's text for an error code of GetLastError(), in UTF-8, without the line end.
std::string SystemErrorText(unsigned long code);

} // namespace vexa
