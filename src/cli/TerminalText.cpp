#include "cli/TerminalText.h"

#include "model/TextEncoding.h"

namespace vexa::cli {

std::optional<std::string> ImageTextOfArgument(Session& session, const std::string& argument,
                                               const std::string& command) {
    std::string latin1;
    std::string refused;
    if (Latin1FromUtf8(argument, latin1, refused))
        return latin1;
    if (refused.empty())
        session.prompter.ask(MessageKind::OkError, "The text given to " + command + " is no UTF-8 text");
    else
        session.prompter.ask(MessageKind::OkError, "The text \"" + argument + "\" given to " + command + " holds \"" +
                                                       refused +
                                                       "\", which the files cannot hold (Latin-1 characters only)");
    return std::nullopt;
}

std::string TerminalText(std::string_view imageText) {
    return Utf8FromLatin1(imageText);
}

} // namespace vexa::cli
