#include "app/CommandDispatch.h"

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

bool CommandDispatch::run(const CommandWord& entry, Progress& progress) {
    return RunGuarded(session_, progress, entry.run);
}

bool CommandDispatch::tick(Progress& progress) {
    const CommandWord* entry = take();
    if (!entry)
        return false;
    run(*entry, progress);
    return true;
}

} // namespace vexa
