#pragma once

#include <string>

namespace vexa {

// The six kinds of message box the tool shows.
enum class MessageKind { Ok, OkWarning, OkInformation, OkError, OkCancelWarning, YesNo };

// Shows a message to the user and returns the answer: true for OK or Yes, false for Cancel or No.
// Texts that span lines join them with CR LF.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual bool ask(MessageKind kind, const std::string& text) = 0;

    void tell(const std::string& text) { ask(MessageKind::Ok, text); }
};

} // namespace vexa
