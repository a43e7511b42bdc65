#include "core/Trace.h"

namespace vexa {

void Trace::append(const std::string& text) {
    const std::lock_guard lock(mutex_);
    text_ += text;
    if (text_.size() > limit_) {
        // Drop the oldest half at once rather than a little on every append, and cut at a
        // line start so the trace never begins in the middle of a byte.
        std::size_t cut = text_.size() - limit_ / 2;
        const std::size_t lineStart = text_.find('\n', cut);
        cut = lineStart == std::string::npos ? cut : lineStart + 1;
        text_.erase(0, cut);
    }
}

void Trace::clear() {
    const std::lock_guard lock(mutex_);
    text_.clear();
}

std::string Trace::text() const {
    const std::lock_guard lock(mutex_);
    return text_;
}

} // namespace vexa
