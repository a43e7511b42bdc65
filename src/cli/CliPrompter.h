#pragma once

#include "core/Prompter.h"

#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace vexa::cli {

// Shows every message on the given stream (standard error), its CR LF line breaks as given.
// Questions are answered without asking: OK/Yes when answerYes is set, else Cancel/No; the
// answer taken is shown below the question.
class CliPrompter : public Prompter {
public:
    CliPrompter(std::ostream& stream, bool answerYes) : stream_(stream), answerYes_(answerYes) {}

    bool ask(MessageKind kind, const std::string& text) override;

    // While quiet, messages are not shown (questions are still answered the same way); the
    // last one is kept.
    void setQuiet(bool quiet) { quiet_ = quiet; }
    // The last message kept while quiet, then forgotten; nullopt when none was kept.
    std::optional<std::pair<MessageKind, std::string>> takeKept() { return std::exchange(kept_, std::nullopt); }

private:
    bool quiet_ = false;
    std::optional<std::pair<MessageKind, std::string>> kept_;
    std::ostream& stream_;
    bool answerYes_;
};

} // namespace vexa::cli
