#include "cli/IdentityCommands.h"

#include "module/Identity.h"

namespace vexa::cli {

bool RunVersion(CliContext& context, const std::string&) {
    if (!ReadVersion(context.session))
        return false;
    context.out << context.session.versionText << '\n';
    return true;
}

bool RunReadId(CliContext& context, const std::string&) {
    if (!ReadIdString(context.session))
        return false;
    context.out << context.session.image.module.idString << '\n';
    return true;
}

bool RunWriteId(CliContext& context, const std::string& text) {
    std::string& idString = context.session.image.module.idString;
    idString = text;
    if (!WriteIdString(context.session))
        return false;
    if (idString != text)
        context.out << "ID string cut to " << IdStringMaxLength << " characters: " << idString << '\n';
    return true;
}

} // namespace vexa::cli
