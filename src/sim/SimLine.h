#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace vexa {

// The bytes of one answer and how long after its request the far end starts sending it.
struct SimulatorAnswer {
    std::vector<std::uint8_t> bytes;
    std::chrono::milliseconds delay{0};
};

// The far end of a simulated serial line: takes the bytes sent to it one at a time and
// answers some of them.
class SimLine {
public:
    virtual ~SimLine() = default;
    // Takes one byte; returns the answer when the byte completed a request that is answered.
    virtual std::optional<SimulatorAnswer> receive(std::uint8_t byte) = 0;
    // Time one byte occupies the line; 0 = no pacing.
    virtual std::chrono::nanoseconds byteTime() const = 0;
};

} // namespace vexa
