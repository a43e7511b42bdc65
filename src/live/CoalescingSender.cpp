#include "live/CoalescingSender.h"

namespace vexa {

void CoalescingSender::post(const std::string& title, const Operation& operation) {
    waiting_ = Request{title, operation};
}

void CoalescingSender::send(const std::string& title, const Operation& operation) {
    flush();
    post(title, operation);
    flush();
}

void CoalescingSender::flush() {
    // A send made while one is on its way (from an event handled during the wait) only
    // replaces the remembered request; the loop below sends it afterwards.
    if (sending_)
        return;
    sending_ = true;
    while (waiting_ && !runner_.busy()) {
        const Request request = std::move(*waiting_);
        waiting_.reset();
        runner_.runNow(request.title, request.operation);
    }
    sending_ = false;
}

} // namespace vexa
