#pragma once

#include "core/Prompter.h"

#include <ostream>

namespace vexa::cli {

// Shows every message on the given stream (standard error), its CR LF line breaks as given.
// Questions are answered without asking: OK/Yes when answerYes is set, else Cancel/No; the
// answer taken is shown below the question.
class CliPrompter : public Prompter {
public:
    CliPrompter(std::ostream& stream, bool answerYes) : stream_(stream), answerYes_(answerYes) {}

    bool ask(MessageKind kind, const std::string& text) override;

    // While quiet, messages are not shown (questions are still answered the same way).
    void setQuiet(bool quiet) { quiet_ = quiet; }

private:
    bool quiet_ = false;
    std::ostream& stream_;
    bool answerYes_;
};

} // namespace vexa::cli
