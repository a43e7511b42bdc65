#include "files/StandardLibraryPath.h"

#include "core/Platform.h"

#include <filesystem>

namespace vexa {

std::string StandardLibraryPath(const std::string& programFolder) {
    namespace fs = std::filesystem;
    const fs::path folder = PathFromUtf8(programFolder);
    const fs::path beside = folder / StandardLibraryFileName;
    const fs::path installed = folder / ".." / "share" / "vexaconfig" / StandardLibraryFileName;
    std::error_code error;
    if (fs::is_regular_file(beside, error))
        return Utf8FromPath(beside);
    if (fs::is_regular_file(installed, error))
        return Utf8FromPath(installed.lexically_normal());
    return Utf8FromPath(beside);
}

} // namespace vexa
