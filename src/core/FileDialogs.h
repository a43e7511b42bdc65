#pragma once

#include <string>

namespace vexa {

// Asks the user for a file name. The filter is given as "Description|*.ext".
// An empty result means the dialog was cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::string openFileName(const std::string& filter) = 0;
    // As openFileName, with the file-name field preset to `name`.
    virtual std::string openFileNameWith(const std::string& filter, const std::string& name) {
        static_cast<void>(name);
        return openFileName(filter);
    }
    // Asks before it overwrites an existing file.
    virtual std::string saveFileName(const std::string& filter) = 0;
    // As saveFileName, with the file-name field preset to `name`.
    virtual std::string saveFileNameWith(const std::string& filter, const std::string& name) {
        static_cast<void>(name);
        return saveFileName(filter);
    }
    // Asks for a folder (the dialog may create a new one); `caption` says what it is for.
    virtual std::string folderName(const std::string& caption) = 0;
};

} // namespace vexa
