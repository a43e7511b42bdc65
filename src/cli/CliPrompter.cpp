#include "cli/CliPrompter.h"

namespace vexa::cli {

bool CliPrompter::ask(MessageKind kind, const std::string& text) {
    if (quiet_) {
        kept_.emplace(kind, text);
        return answerYes_ || (kind != MessageKind::OkCancelWarning && kind != MessageKind::YesNo);
    }
    stream_ << text << '\n';
    switch (kind) {
    case MessageKind::OkCancelWarning:
        stream_ << (answerYes_ ? "-> OK" : "-> Cancel") << '\n';
        break;
    case MessageKind::YesNo:
        stream_ << (answerYes_ ? "-> Yes" : "-> No") << '\n';
        break;
    default:
        stream_.flush();
        return true; // a box with only OK
    }
    stream_.flush();
    return answerYes_;
}

} // namespace vexa::cli
