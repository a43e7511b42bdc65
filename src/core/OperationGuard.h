#pragma once

#include "core/Session.h"

namespace vexa {

// Marks the session busy for the life of one operation (also when it ends by an exception),
// so that no timer and no dispatch tick starts a second one while message boxes or progress
// keep the window's events flowing.
class OperationGuard {
public:
    explicit OperationGuard(Session& session) : session_(session) { session_.operationRunning = true; }
    ~OperationGuard() { session_.operationRunning = false; }
    OperationGuard(const OperationGuard&) = delete;
    OperationGuard& operator=(const OperationGuard&) = delete;

private:
    Session& session_;
};

// True while an operation runs, after telling that operation's progress that what the user asked
// for now is refused: nothing may change the link or the image underneath a running operation.
inline bool RefusedWhileRunning(Session& session) {
    if (!session.operationRunning)
        return false;
    session.progress->refusedMeanwhile();
    return true;
}

// Runs an operation of a button that acts at once, unless another operation is running.
// Returns the operation's result (false when it could not start).
template <typename Operation> bool RunExclusive(Session& session, Operation&& operation) {
    if (RefusedWhileRunning(session))
        return false;
    OperationGuard guard(session);
    return operation(session);
}

} // namespace vexa
