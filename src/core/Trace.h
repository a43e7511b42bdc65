#pragma once

#include <cstddef>
#include <string>

namespace vexa {

// The link trace: every byte sent and received, in hexadecimal. It is bounded: when it
// grows past its limit the oldest part is dropped, so the newest bytes are always kept.
class Trace {
public:
    explicit Trace(std::size_t limit = 1u << 20) : limit_(limit) {}

    void append(const std::string& text);
    void clear() { text_.clear(); }
    const std::string& text() const { return text_; }

private:
    std::size_t limit_;
    std::string text_;
};

} // namespace vexa
