#pragma once

#include "core/Session.h"

#include <functional>
#include <string>

namespace vexa {

inline constexpr const char* StoppedByUserText = "Stopped by the user";
// What a window's progress says once the user asked to stop.
inline constexpr const char* StoppingText = "Stopping after the current exchange ...";
// What a window says when something cannot be done because an operation runs.
inline constexpr const char* OperationRunsText = "An operation is running: wait until it ends, or press Stop.";

using Operation = std::function<bool(Session&)>;

// The one way an operation that exchanges messages with the controller starts, whether from a
// command word, an immediate button, a slider, a timer or the command line. The runner holds
// the guard (a second operation cannot start while one runs, and what asks for one meanwhile is
// told so), gives the operation its Progress and, in a window, runs it on the operation thread
// and refreshes every view afterwards.
class OperationRunner {
public:
    virtual ~OperationRunner() = default;

    // Runs the operation at once. Returns false without running it while another operation
    // runs (the window's status line says so); otherwise the operation's result. `title` is
    // what the progress shows.
    virtual bool runNow(const std::string& title, const Operation& operation) = 0;

    // Remembers a command word of the deferred dispatch; only the latest one is kept, and it
    // runs once the busy indication is painted and no other operation runs. The port-checked
    // words are refused (with their message) while the port is closed.
    virtual void queueCommand(const std::string& word) = 0;

    // True while an operation runs.
    virtual bool busy() const = 0;

    // Asks the running operation to stop: a wait for an answer ends at once, without a
    // message, and nothing more is sent. Nothing happens while no operation runs.
    virtual void requestStop() = 0;
};

// Runs one operation as the session's one running operation, with the given progress, and
// says "Stopped by the user" when it failed after the user asked to stop. Returns false
// without running it while another operation runs (telling the running one's progress).
// Every runner ends here.
bool RunGuarded(Session& session, Progress& progress, const Operation& operation);

// A pause of `ms` milliseconds that hands the progress a keep-alive at least every 50 ms and
// ends early once the user asked to stop. Returns false when it ended early.
bool PauseAlive(Session& session, int ms);

} // namespace vexa
