#pragma once

#include "core/OperationRunner.h"

#include <optional>
#include <string>

namespace vexa {

// Sends the stream of requests of a moving control (a slider being dragged) through the runner
// without letting them queue up: while one request is on its way, only the latest one asked for
// is remembered, and it goes out as soon as that one is done. So a slow or silent controller
// never sees a backlog, and the last value asked for is always the last one sent.
class CoalescingSender {
public:
    explicit CoalescingSender(OperationRunner& runner) : runner_(runner) {}

    // Remembers the operation as the one to send next, replacing any older one not yet sent.
    // The caller flushes later (after the pending input events), so a burst of moves becomes one
    // request.
    void post(const std::string& title, const Operation& operation);

    // Sends what waits and then the operation, or remembers it when a request is on its way or
    // another operation runs.
    void send(const std::string& title, const Operation& operation);

    // Sends what is remembered, when the runner is free; call it again later while pending().
    void flush();

    bool pending() const { return waiting_.has_value(); }

private:
    struct Request {
        std::string title;
        Operation operation;
    };

    OperationRunner& runner_;
    std::optional<Request> waiting_;
    bool sending_ = false;
};

} // namespace vexa
