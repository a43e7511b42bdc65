#include "files/SafeFile.h"

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

// The file that a save really replaces: the target of a symbolic link rather than the link.
fs::path ResolvedTarget(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec)
            return resolved;
    }
    return path;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        error = "it is a folder";
        return false;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = SystemReason();
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, ec);
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

std::string TemporaryFileFor(const std::string& path) {
    return ResolvedTarget(path).string() + ".tmp";
}

bool ReplaceFileBytes(const std::string& path, const std::string& bytes, std::string& error) {
    const fs::path target = ResolvedTarget(path);
    const fs::path temporary = target.string() + ".tmp";
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        error = "a folder of that name exists";
        return false;
    }
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "the temporary file " + temporary.string() + " cannot be created: " + SystemReason();
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (out)
            out.close();
        if (!out) {
            error = "the file could not be written completely: " + SystemReason();
            out.close();
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        error = "the file could not be replaced: " + ec.message();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace vexa
