#pragma once

#include "files/SaveSteps.h"

#include <cstddef>
#include <string>

namespace vexa {

// Reads a whole file as bytes. On failure returns false and sets `error` to the reason
// (the file is missing, is a folder or another kind of file that is not a regular one, cannot
// be read, or is larger than maxBytes).
bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error);

// Replaces a file with the given bytes without ever leaving it half written: the bytes go to
// a temporary file beside the target with a name of its own, which takes the owner, group and
// permissions of the file it replaces and is renamed over the target only when every byte is
// on the disk; the folder is flushed after the rename. A name that is not a regular file (a
// named pipe, a device) is refused, and so is a target the user may not write: a file or
// folder without write permission for the user, or one whose permissions allow nobody to
// write, whoever saves. On failure the target is left as it was, the temporary file is
// removed, and `error` says what went wrong.
bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string& error);
// The same through the given steps (write, flush, replace, flush of the folder, in this order).
bool ReplaceFileBytesWith(SaveSteps& steps, const std::string& bytes, std::string& error);

// The file that a save to `path` replaces: the file a symbolic link names rather than the link.
std::string ReplacedFileOf(const std::string& path);

// The start of the names of the temporary files that ReplaceFileBytes writes for a target
// ("<target>.tmp"); six characters of its own follow.
std::string TemporaryFileFor(const std::string& path);

} // namespace vexa
