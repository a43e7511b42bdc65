#include "files/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

const char* const NotRegularFileText = "it is not a regular file";

// A file beside the target with a name no other file has ("<target>.tmp" followed by six
// characters), created with no permissions for others; removed again unless released.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& prefix) : name_(prefix + "XXXXXX") { fd_ = ::mkstemp(name_.data()); }
    ~TemporaryFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!released_ && created())
            ::unlink(name_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return fd_ >= 0 || closed_; }
    const std::string& name() const { return name_; }

    bool write(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            done += static_cast<std::size_t>(written);
        }
        return true;
    }

    // The permissions of the file replaced, or those of a new file (0666 less the umask).
    bool takeModeOf(const fs::path& target, bool replacing) {
        struct stat info {};
        mode_t mode = 0;
        if (replacing && ::stat(target.c_str(), &info) == 0) {
            mode = info.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        return ::fchmod(fd_, mode) == 0;
    }

    // On the disk before it replaces anything.
    bool flushAndClose() {
        const bool flushed = ::fsync(fd_) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        closed_ = true;
        return flushed && closed;
    }

    void release() { released_ = true; }

private:
    std::string name_;
    int fd_ = -1;
    bool closed_ = false;
    bool released_ = false;
};

// Puts the folder's new entry on the disk, so that the rename survives a power cut.
void FlushFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
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
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) {
        error = "a folder of that name exists";
        return false;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        error = NotRegularFileText;
        return false;
    }
    TemporaryFile temporary(TemporaryFileFor(path));
    if (!temporary.created()) {
        error = "the temporary file " + temporary.name() + " cannot be created: " + SystemReason();
        return false;
    }
    if (!temporary.write(bytes) || !temporary.takeModeOf(target, fs::exists(status)) || !temporary.flushAndClose()) {
        error = "the file could not be written completely: " + SystemReason();
        return false;
    }
    if (std::rename(temporary.name().c_str(), target.c_str()) != 0) {
        error = "the file could not be replaced: " + SystemReason();
        return false;
    }
    temporary.release();
    FlushFolder(target.parent_path());
    return true;
}

} // namespace vexa
