#pragma once

#include "core/Prompter.h"

class QObject;

namespace vexa {

// Asks every question on the window's thread, whichever thread asks it: an operation running on
// its own thread waits until the user has answered the box, which the window shows as its own.
class WindowThreadPrompter : public Prompter {
public:
    // `window` is an object of the window's thread; `shown` shows the boxes there.
    WindowThreadPrompter(QObject& window, Prompter& shown) : window_(window), shown_(shown) {}

    bool ask(MessageKind kind, const std::string& text) override;

private:
    QObject& window_;
    Prompter& shown_;
};

} // namespace vexa
