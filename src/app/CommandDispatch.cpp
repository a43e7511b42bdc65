#include "app/CommandDispatch.h"

#include "app/OperationGuard.h"

namespace vexa {

bool CommandDispatch::queue(const std::string& word) {
    const CommandWord* entry = FindCommandWord(table_, word);
    if (entry && entry->portCheck && !session_.port.isOpen()) {
        session_.tell("Select communications port");
        return false;
    }
    pending_ = word;
    return true;
}

const CommandWord* CommandDispatch::take() {
    if (session_.operationRunning)
        return nullptr;
    const std::string word = pending_;
    pending_.clear();
    if (word.empty())
        return nullptr;
    const CommandWord* entry = FindCommandWord(table_, word);
    return entry && entry->run ? entry : nullptr;
}

bool CommandDispatch::run(const CommandWord& entry) {
    if (session_.operationRunning || !entry.run)
        return false;
    bool passed = false;
    {
        OperationGuard guard(session_);
        passed = entry.run(session_);
    }
    if (!passed && session_.progress->stopRequested())
        session_.tell(StoppedByUserText);
    return passed;
}

bool CommandDispatch::tick() {
    const CommandWord* entry = take();
    if (!entry)
        return false;
    run(*entry);
    return true;
}

} // namespace vexa
