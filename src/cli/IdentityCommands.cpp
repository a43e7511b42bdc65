#include "cli/IdentityCommands.h"

#include "cli/TerminalText.h"
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
    context.out << TerminalText(context.session.image.module.idString) << '\n';
    return true;
}

bool RunWriteId(CliContext& context, const std::string& argument) {
    const std::optional<std::string> text = ImageTextOfArgument(context.session, argument, "write-id");
    if (!text)
        return false;
    std::string& idString = context.session.image.module.idString;
    // The text typed here is cut here, and the cut said as the command's result (not as a note).
    idString = text->substr(0, IdStringMaxLength);
    if (!WriteIdString(context.session))
        return false;
    if (idString != *text)
        context.out << TerminalText(IdStringCutText(idString)) << '\n';
    return true;
}

} // namespace vexa::cli
