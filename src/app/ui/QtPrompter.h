#pragma once

#include "core/Prompter.h"

namespace vexa {

// Shows each message in a modal QMessageBox of the requested kind, over the active window.
class QtPrompter : public Prompter {
public:
    bool ask(MessageKind kind, const std::string& text) override;
};

} // namespace vexa
