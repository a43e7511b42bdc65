#pragma once

#include <string>

namespace vexa::test {

// The bytes of a file named in UTF-8, read whole ("" when it cannot be read).
std::string ReadWholeFile(const std::string& path);

} // namespace vexa::test
