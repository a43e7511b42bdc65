// The steps of a safe save on a POSIX system: mkstemp beside the target, fsync, rename, fsync
// of the folder.
#if !defined(_WIN32)

#include "files/SafeFile.h"
#include "files/SaveSteps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexa {

namespace {

namespace fs = std::filesystem;

constexpr mode_t AnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

std::string SystemReason(int code) {
    return code != 0 ? std::string(std::strerror(code)) : std::string("unknown error");
}

// Whether the user may change a file or folder. A mode without any write bit counts as
// read-only for everyone, the superuser included, whom access() would let through: saving over
// a file the owner protected is refused, as editors do.
// `kind` is "file" or "folder".
std::string WriteRefusal(const char* kind, const std::string& path, const struct stat& info, int accessMode) {
    const std::string what = std::string("the ") + kind + " " + path;
    if ((info.st_mode & AnyWriteBit) == 0)
        return what + " is read-only";
    if (::access(path.c_str(), accessMode) != 0)
        return "you have no permission to change " + what + " (" + SystemReason(errno) + ")";
    return {};
}

class PosixSaveSteps : public SaveSteps {
public:
    explicit PosixSaveSteps(const std::string& path)
        : path_(path), target_(ReplacedFileOf(path)), folder_(FolderOf(target_)) {}
    ~PosixSaveSteps() override { discardTemporary(); }
    PosixSaveSteps(const PosixSaveSteps&) = delete;
    PosixSaveSteps& operator=(const PosixSaveSteps&) = delete;

    SaveTarget inspect() override {
        SaveTarget result;
        struct stat info {};
        if (::stat(target_.c_str(), &info) != 0) {
            if (errno != ENOENT)
                result.refusal = "the file cannot be looked at: " + SystemReason(errno);
        } else if (S_ISDIR(info.st_mode)) {
            result.kind = SaveTarget::Kind::Folder;
        } else if (!S_ISREG(info.st_mode)) {
            result.kind = SaveTarget::Kind::Other;
        } else {
            result.kind = SaveTarget::Kind::RegularFile;
            replaced_ = info;
            result.refusal = WriteRefusal("file", target_, info, W_OK);
        }
        if (!result.refusal.empty() || result.kind == SaveTarget::Kind::Folder ||
            result.kind == SaveTarget::Kind::Other)
            return result;
        // The new file is created beside the old one and renamed over it: the folder must take it.
        struct stat folder {};
        if (::stat(folder_.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
            result.refusal = "the folder " + folder_ + " does not exist";
        else
            result.refusal = WriteRefusal("folder", folder_, folder, W_OK | X_OK);
        return result;
    }

    bool writeTemporary(const std::string& bytes, std::string& error) override {
        temporary_ = TemporaryFileFor(path_) + "XXXXXX";
        fd_ = ::mkstemp(temporary_.data());
        if (fd_ < 0) {
            error = "the temporary file " + temporary_ + " cannot be created: " + SystemReason(errno);
            temporary_.clear();
            return false;
        }
        if (!writeAll(bytes) || !takeAttributes()) {
            error = "the file could not be written completely: " + SystemReason(errno);
            return false;
        }
        return true;
    }

    bool flushTemporary(std::string& error) override {
        const bool flushed = ::fsync(fd_) == 0;
        const int flushError = errno;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        if (flushed && closed)
            return true;
        error = "the file could not be written to the disk: " + SystemReason(flushed ? errno : flushError);
        return false;
    }

    bool replaceTarget(std::string& error) override {
        if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
            error = "the file could not be replaced: " + SystemReason(errno);
            return false;
        }
        temporary_.clear();
        return true;
    }

    bool flushFolder(std::string& error) override {
        const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            error = SystemReason(errno);
            return false;
        }
        // A file system that cannot flush a folder (EINVAL) keeps its entries its own way.
        const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
        const int code = errno;
        ::close(fd);
        if (!flushed)
            error = SystemReason(code);
        return flushed;
    }

    void discardTemporary() override {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!temporary_.empty())
            ::unlink(temporary_.c_str());
        temporary_.clear();
    }

private:
    static std::string FolderOf(const std::string& file) {
        const fs::path folder = fs::path(file).parent_path();
        return folder.empty() ? std::string(".") : folder.string();
    }

    bool writeAll(const std::string& bytes) {
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

    // The owner, group and permissions of the file replaced, or those of a new file (0666 less
    // the umask). Another user's file can only be handed back to its owner by the superuser;
    // then at least its group is kept when the saver belongs to it. The owner goes first, as a
    // change of owner clears the set-id bits.
    bool takeAttributes() {
        mode_t mode = 0;
        if (replaced_) {
            if (::fchown(fd_, replaced_->st_uid, replaced_->st_gid) != 0 &&
                ::fchown(fd_, static_cast<uid_t>(-1), replaced_->st_gid) != 0) {
                // Neither: the new file stays the saver's own, as any file they create would.
            }
            mode = replaced_->st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        return ::fchmod(fd_, mode) == 0;
    }

    std::string path_;
    std::string target_;
    std::string folder_;
    std::string temporary_; // while it exists and has not replaced the target
    int fd_ = -1;
    std::optional<struct stat> replaced_;
};

} // namespace

std::unique_ptr<SaveSteps> PlatformSaveSteps(const std::string& path) {
    return std::make_unique<PosixSaveSteps>(path);
}

} // namespace vexa

#endif
