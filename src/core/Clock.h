#pragma once

namespace vexa {

// The clock of waits and time-outs, and blocking pauses, so that both can be faked in tests.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds, with fractions, on a clock that only runs forward at a steady rate: setting the
    // time of day (by hand, by a time server, a new time zone) does not move it. Only the
    // difference between two readings means anything.
    virtual double steadySeconds() = 0;
    virtual void pauseMs(int ms) = 0;
};

// The real clock of the machine.
class SystemClock : public Clock {
public:
    double steadySeconds() override;
    void pauseMs(int ms) override;
};

} // namespace vexa
