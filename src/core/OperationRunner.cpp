#include "core/OperationRunner.h"

#include "core/OperationGuard.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr int KeepAliveSliceMs = 50;

// Swaps the session's progress for the life of one operation.
class ProgressScope {
public:
    ProgressScope(Session& session, Progress& progress) : session_(session), previous_(session.progress) {
        session_.progress = &progress;
    }
    ~ProgressScope() { session_.progress = previous_; }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    Session& session_;
    Progress* previous_;
};

} // namespace

bool RunGuarded(Session& session, Progress& progress, const Operation& operation) {
    if (RefusedWhileRunning(session) || !operation)
        return false;
    bool passed = false;
    {
        OperationGuard guard(session);
        ProgressScope scope(session, progress);
        passed = operation(session);
    }
    if (!passed && progress.stopRequested())
        session.tell(StoppedByUserText);
    return passed;
}

bool PauseAlive(Session& session, int ms) {
    for (int left = ms; left > 0; left -= KeepAliveSliceMs) {
        if (session.progress->stopRequested())
            return false;
        session.clock.pauseMs(std::min(left, KeepAliveSliceMs));
        session.progress->keepAlive();
    }
    return !session.progress->stopRequested();
}

} // namespace vexa
