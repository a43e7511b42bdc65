#pragma once

#include "core/Session.h"

#include <cstddef>
#include <string>
#include <system_error>

namespace vexa {

// "The file <path> could not be read:" and why, on the next line.
std::string UnreadableFileText(const std::string& path, const std::string& error);

// Reading and safely replacing a whole file; on failure the user is told which file and why.
bool ReadFileOrTell(Session& session, const std::string& path, std::size_t maxBytes, std::string& bytes);
bool ReplaceFileOrTell(Session& session, const std::string& path, const std::string& bytes);

// True when a step on the file system went well (`failed` holds no error); otherwise the user is
// told `what` and, on the next line, why.
bool DoneOrTell(Session& session, const std::error_code& failed, const std::string& what);

} // namespace vexa
