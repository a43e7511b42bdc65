// The steps of a safe save on Windows: a temporary file of its own beside the target, flushed,
// then put in the target's place by ReplaceFileW (which keeps the replaced file's attributes,
// security and creation time) or, for a new file or where that is not possible, by
// MoveFileExW with replace and write-through. Names are UTF-8 and opened as wide paths.
#if defined(_WIN32)

#include "core/Platform.h"
#include "core/win/WideText.h"
#include "files/SafeFile.h"
#include "files/SaveSteps.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <atomic>
#include <filesystem>

namespace vexa {

namespace {

namespace fs = std::filesystem;

// Tries at a name no other file has before giving up.
constexpr int TemporaryNameTries = 100;

// The wide, absolute path of a UTF-8 name (ReplaceFileW wants whole paths on some systems).
std::wstring Wide(const std::string& name) {
    const fs::path path = PathFromUtf8(name);
    std::error_code error;
    const fs::path whole = fs::absolute(path, error);
    return error ? path.wstring() : whole.wstring();
}

std::string Reason(DWORD code) {
    return SystemErrorText(code);
}

// Six letters and digits that differ between calls and between processes.
std::string UniqueSuffix() {
    static std::atomic<unsigned> counter{0};
    const char* const letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned long long seed = (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64() ^
                              (static_cast<unsigned long long>(counter++) * 2654435761ull);
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += letters[seed % 36];
        seed /= 36;
    }
    return suffix;
}

class WinSaveSteps : public SaveSteps {
public:
    explicit WinSaveSteps(const std::string& path)
        : path_(path), target_(ReplacedFileOf(path)), folder_(FolderOf(target_)) {}
    ~WinSaveSteps() override { discardTemporary(); }
    WinSaveSteps(const WinSaveSteps&) = delete;
    WinSaveSteps& operator=(const WinSaveSteps&) = delete;

    SaveTarget inspect() override {
        SaveTarget result;
        WIN32_FILE_ATTRIBUTE_DATA info{};
        if (!::GetFileAttributesExW(Wide(target_).c_str(), GetFileExInfoStandard, &info)) {
            const DWORD code = ::GetLastError();
            if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
                result.refusal = "the file cannot be looked at: " + Reason(code);
        } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            result.kind = SaveTarget::Kind::Folder;
        } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) {
            result.kind = SaveTarget::Kind::Other;
        } else {
            result.kind = SaveTarget::Kind::RegularFile;
            attributes_ = info.dwFileAttributes;
            if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                result.refusal = "the file " + target_ + " is read-only";
        }
        if (!result.refusal.empty() || result.kind == SaveTarget::Kind::Folder ||
            result.kind == SaveTarget::Kind::Other)
            return result;
        // The new file is created beside the old one: the folder must be there.
        const DWORD folder = ::GetFileAttributesW(Wide(folder_).c_str());
        if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
            result.refusal = "the folder " + folder_ + " does not exist";
        return result;
    }

    bool writeTemporary(const std::string& bytes, std::string& error) override {
        DWORD code = ERROR_FILE_EXISTS;
        for (int i = 0; i < TemporaryNameTries && code == ERROR_FILE_EXISTS; ++i) {
            temporary_ = TemporaryFileFor(path_) + UniqueSuffix();
            file_ = ::CreateFileW(Wide(temporary_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
            code = file_ == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
        }
        if (file_ == INVALID_HANDLE_VALUE) {
            error = "the temporary file " + temporary_ + " cannot be created: " + Reason(code);
            temporary_.clear();
            return false;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
            DWORD written = 0;
            if (!::WriteFile(file_, bytes.data() + done, part, &written, nullptr) || written == 0) {
                error = "the file could not be written completely: " + Reason(::GetLastError());
                return false;
            }
            done += written;
        }
        return true;
    }

    bool flushTemporary(std::string& error) override {
        const bool flushed = ::FlushFileBuffers(file_) != 0;
        const DWORD flushError = ::GetLastError();
        const bool closed = ::CloseHandle(file_) != 0;
        file_ = INVALID_HANDLE_VALUE;
        if (flushed && closed)
            return true;
        error = "the file could not be written to the disk: " + Reason(flushed ? ::GetLastError() : flushError);
        return false;
    }

    bool replaceTarget(std::string& error) override {
        const std::wstring temporary = Wide(temporary_);
        const std::wstring target = Wide(target_);
        // ReplaceFileW keeps what belongs to the replaced file (attributes, security, creation
        // time). Some file systems (network shares among them) cannot do it: then the new file is
        // moved over the old one. The new file takes the old one's attributes first, so that
        // they are kept either way.
        if (attributes_ != INVALID_FILE_ATTRIBUTES) {
            ::SetFileAttributesW(temporary.c_str(), attributes_);
            if (::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                               nullptr)) {
                temporary_.clear();
                return true;
            }
        }
        if (!::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = "the file could not be replaced: " + Reason(::GetLastError());
            return false;
        }
        temporary_.clear();
        return true;
    }

    bool flushFolder(std::string& error) override {
        const HANDLE folder = ::CreateFileW(Wide(folder_).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        // A folder that cannot be opened or flushed this way keeps its entries its own way (the
        // move above was written through).
        if (folder == INVALID_HANDLE_VALUE)
            return true;
        const bool flushed = ::FlushFileBuffers(folder) != 0;
        const DWORD code = ::GetLastError();
        ::CloseHandle(folder);
        if (flushed || code == ERROR_INVALID_FUNCTION || code == ERROR_ACCESS_DENIED)
            return true;
        error = Reason(code);
        return false;
    }

    void discardTemporary() override {
        if (file_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
        if (!temporary_.empty())
            ::DeleteFileW(Wide(temporary_).c_str());
        temporary_.clear();
    }

private:
    static std::string FolderOf(const std::string& file) {
        const fs::path folder = PathFromUtf8(file).parent_path();
        return folder.empty() ? std::string(".") : Utf8FromPath(folder);
    }

    std::string path_;
    std::string target_;
    std::string folder_;
    std::string temporary_; // while it exists and has not replaced the target
    HANDLE file_ = INVALID_HANDLE_VALUE;
    DWORD attributes_ = INVALID_FILE_ATTRIBUTES; // of the file replaced
};

} // namespace

std::unique_ptr<SaveSteps> PlatformSaveSteps(const std::string& path) {
    return std::make_unique<WinSaveSteps>(path);
}

} // namespace vexa

#endif
