#include "files/StandardLibraryPath.h"

#include <filesystem>

namespace vexa {

std::string StandardLibraryPath(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path folder(programFolder);
    const fs::path beside = folder / StandardLibraryFileName;
    const fs::path installed = folder / ".." / "share" / "vexaconfig" / StandardLibraryFileName;
    std::error_code error;
    if (fs::is_regular_file(beside, error))
        return beside.string();
    if (fs::is_regular_file(installed, error))
        return installed.lexically_normal().string();
    return beside.string();
}

} // namespace vexa
