#pragma once

#include "sim/Simulator.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

namespace vexa {

// When the bytes of a simulated line arrive. Without pacing a request byte arrives at once
// and an answer is readable as soon as it is due; with pacing each byte occupies the line for
// one byte time, so requests arrive and answers become readable one byte time apart.
class AnswerSchedule {
public:
    using Clock = std::chrono::steady_clock;

    // A request byte written at `now`; returns when its last bit is on the far side.
    Clock::time_point requestByteArrives(Clock::time_point now, std::chrono::nanoseconds byteTime);

    // Puts an answer on the line: its first byte leaves after the answer's delay from
    // `requestArrival` (the arrival of the byte that completed the request).
    void add(const SimulatorAnswer& answer, Clock::time_point requestArrival, std::chrono::nanoseconds byteTime);

    // Bytes readable at `now`.
    int dueCount(Clock::time_point now) const;
    // Takes the next readable byte, or -1 when none is due yet.
    int takeDue(Clock::time_point now);
    // When the next byte becomes readable, or nullopt when no byte is on the way.
    std::optional<Clock::time_point> nextDue() const;
    // When the last byte of the answer that the next byte belongs to becomes readable, or
    // nullopt when no byte is on the way.
    std::optional<Clock::time_point> nextAnswerEnd() const;

    // Forgets everything on the way (the port was closed).
    void clear();

private:
    struct Timed {
        Clock::time_point due;
        std::uint8_t byte;
        Clock::time_point answerEnd; // due time of the last byte of its answer
    };
    std::deque<Timed> bytes_;
    Clock::time_point requestLineFree_{};
    Clock::time_point answerLineFree_{};
};

} // namespace vexa
