#pragma once

#include <cstddef>
#include <string>

namespace vexa {

// Reads a whole file as bytes. On failure returns false and sets `error` to the reason
// (the file is missing, is a folder, cannot be read, or is larger than maxBytes).
bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error);

// Replaces a file with the given bytes without ever leaving it half written: the bytes go to
// a temporary file beside the target ("<target>.tmp"), which is renamed over the target only
// when every byte was written and flushed. On failure the target is left as it was, the
// temporary file is removed, and `error` says what went wrong.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string& error);

// Name of the temporary file that ReplaceFileBytes writes for a target.
std::string TemporaryFileFor(const std::string& path);

} // namespace vexa
