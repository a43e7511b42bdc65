#include "files/SafeFile.h"

#include "core/Platform.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace vexa {

namespace fs = std::filesystem;

namespace {

std::string SystemReason() {
    const int code = errno;
    return code != 0 ? std::string(std::strerror(code)) : std::string("unknown error");
}

const char* const NotRegularFileText = "it is not a regular file";

} // namespace

bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error) {
    const fs::path file = PathFromUtf8(path);
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    if (fs::is_directory(status)) {
        error = "it is a folder";
        return false;
    }
    // A named pipe or a device would block or never end.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        error = NotRegularFileText;
        return false;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = SystemReason();
        return false;
    }
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec && size > maxBytes) {
        error = "the file is larger than " + std::to_string(maxBytes) + " bytes";
        return false;
    }
    bytes.clear();
    if (!ec)
        bytes.reserve(static_cast<std::size_t>(size));
    char buffer[64 * 1024];
    while (in) {
        in.read(buffer, sizeof buffer);
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > maxBytes) {
            error = "the file is larger than " + std::to_string(maxBytes) + " bytes";
            return false;
        }
    }
    if (in.bad()) {
        error = "the file could not be read";
        return false;
    }
    return true;
}

std::string ReplacedFileOf(const std::string& path) {
    const fs::path file = PathFromUtf8(path);
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        const fs::path resolved = fs::weakly_canonical(file, ec);
        if (!ec)
            return Utf8FromPath(resolved);
    }
    return path;
}

std::string TemporaryFileFor(const std::string& path) {
    return ReplacedFileOf(path) + ".tmp";
}

bool ReplaceFileBytesWith(SaveSteps& steps, const std::string& bytes, std::string& error) {
    const SaveTarget target = steps.inspect();
    if (target.kind == SaveTarget::Kind::Folder) {
        error = "a folder of that name exists";
        return false;
    }
    if (target.kind == SaveTarget::Kind::Other) {
        error = NotRegularFileText;
        return false;
    }
    if (!target.refusal.empty()) {
        error = target.refusal;
        return false;
    }
    // The old file stays in place until every byte of the new one is on the disk.
    if (!steps.writeTemporary(bytes, error) || !steps.flushTemporary(error) || !steps.replaceTarget(error)) {
        steps.discardTemporary();
        return false;
    }
    if (!steps.flushFolder(error)) {
        error = "the new contents are in place, but the folder could not be flushed to the disk: " + error;
        return false;
    }
    return true;
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string& error) {
    return ReplaceFileBytesWith(*PlatformSaveSteps(path), bytes, error);
}

} // namespace vexa
