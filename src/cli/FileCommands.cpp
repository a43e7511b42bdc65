#include "cli/FileCommands.h"

#include "files/ConfigFileActions.h"

namespace vexa::cli {

bool RunLoadFile(CliContext& context, const std::string& path) {
    return LoadConfigurationFile(context.session, path);
}

bool RunSaveFile(CliContext& context, const std::string& path) {
    return SaveConfigurationFile(context.session, path, false);
}

bool RunSaveCompactFile(CliContext& context, const std::string& path) {
    return SaveConfigurationFile(context.session, path, true);
}

} // namespace vexa::cli
