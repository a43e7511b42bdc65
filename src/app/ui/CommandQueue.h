#pragma once

#include <string>

namespace vexa {

// Where a button of a long operation leaves its command word: the window shows the busy
// indication and runs the word's operation once the indication is painted. The three
// port-checked words are refused (with their message) while the port is closed.
class CommandQueue {
public:
    virtual ~CommandQueue() = default;
    virtual void queueCommand(const std::string& word) = 0;
};

} // namespace vexa
