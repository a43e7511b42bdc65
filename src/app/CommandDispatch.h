#pragma once

#include "app/CommandWords.h"
#include "core/OperationRunner.h"

#include <string>
#include <vector>

namespace vexa {

// The deferred command words: a button stores its word, and the next tick of the dispatch
// timer takes it and runs its operation. Only the latest word is kept.
class CommandDispatch {
public:
    explicit CommandDispatch(Session& session, const std::vector<CommandWord>& table = CommandWordTable())
        : session_(session), table_(table) {}

    // Stores the word, replacing one still waiting. A port-checked word is refused with
    // "Select communications port" while the port is closed. Returns true when stored.
    bool queue(const std::string& word);

    const std::string& pending() const { return pending_; }

    // Takes the pending word and clears it; returns its table entry when it has an operation,
    // otherwise null. While an operation runs nothing is taken, so the word waits.
    const CommandWord* take();

    // Runs the word's operation as the one running operation, with the given progress. When it
    // fails after the user asked to stop, says so. Returns the operation's result.
    bool run(const CommandWord& entry, Progress& progress);

    // One tick of the dispatch timer: take, then run. Returns true when an operation ran.
    bool tick(Progress& progress);

private:
    Session& session_;
    const std::vector<CommandWord>& table_;
    std::string pending_;
};

} // namespace vexa
