#include "files/FileMessages.h"

#include "files/SafeFile.h"

namespace vexa {

std::string UnreadableFileText(const std::string& path, const std::string& error) {
    return "The file " + path + " could not be read:\r\n" + error;
}

bool ReadFileOrTell(Session& session, const std::string& path, std::size_t maxBytes, std::string& bytes) {
    std::string error;
    if (ReadFileBytes(path, maxBytes, bytes, error))
        return true;
    session.prompter.ask(MessageKind::OkError, UnreadableFileText(path, error));
    return false;
}

bool ReplaceFileOrTell(Session& session, const std::string& path, const std::string& bytes) {
    std::string error;
    if (ReplaceFileBytes(path, bytes, error))
        return true;
    session.prompter.ask(MessageKind::OkError, "The file " + path + " could not be saved:\r\n" + error);
    return false;
}

bool DoneOrTell(Session& session, const std::error_code& failed, const std::string& what) {
    if (!failed)
        return true;
    session.prompter.ask(MessageKind::OkError, what + "\r\n" + failed.message());
    return false;
}

} // namespace vexa
