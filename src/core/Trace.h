#pragma once

#include <cstddef>
#include <mutex>
#include <string>

namespace vexa {

// The link trace: every byte sent and received, in hexadecimal. It is bounded: when it
// grows past its limit the oldest part is dropped, so the newest bytes are always kept. The link
// appends on the thread of the running operation while a window shows it: every access is locked.
class Trace {
public:
    explicit Trace(std::size_t limit = 1u << 20) : limit_(limit) {}

    void append(const std::string& text);
    void clear();
    std::string text() const;

private:
    mutable std::mutex mutex_;
    std::size_t limit_;
    std::string text_;
};

} // namespace vexa
