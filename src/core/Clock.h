#pragma once

namespace vexa {

// Time of day and blocking pauses, so that time-outs and pauses can be faked in tests.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since local midnight, with fractions. Wraps to 0 at midnight.
    virtual double secondsOfDay() = 0;
    virtual void pauseMs(int ms) = 0;
};

// The real clock of the machine.
class SystemClock : public Clock {
public:
    double secondsOfDay() override;
    void pauseMs(int ms) override;
};

} // namespace vexa
