#pragma once

#include "core/Session.h"

#include <cstddef>
#include <string>

namespace vexa {

// Reading and safely replacing a whole file; on failure the user is told which file and why.
bool ReadFileOrTell(Session& session, const std::string& path, std::size_t maxBytes, std::string& bytes);
bool ReplaceFileOrTell(Session& session, const std::string& path, const std::string& bytes);

} // namespace vexa
