#pragma once

#include <string>

namespace vexa {

constexpr int HighestTimeValue = 63;
constexpr int HighestTimeBase = 3;

// Duration of a waiting step, time value × 8^base ticks of 20 ms, as "mm:ss.hh".
// Values outside 0..63 and 0..3 are held at the nearest bound.
std::string DurationText(int timeValue, int base);

// The time calculator: a time value 0..63 and a time base 0..3, shown as a duration.
class TimeCalculator {
public:
    // Takes the base from the parameter 3 box's text and the time value from the parameter 2
    // box, both held to their ranges, remembers them as the opening values and shows both
    // durations.
    void open(const std::string& baseText, int timeValue);

    void setTimeValue(int timeValue);
    void setBase(int base);

    // Puts the opening values back.
    void cancel();

    int timeValue() const { return timeValue_; }
    int base() const { return base_; }
    const std::string& maxTimeText() const { return maxTimeText_; }
    const std::string& timeText() const { return timeText_; }

private:
    void showDurations();

    int timeValue_ = 0;
    int base_ = 0;
    int openingTimeValue_ = 0;
    int openingBase_ = 0;
    std::string maxTimeText_ = "00:00.00";
    std::string timeText_ = "00:00.00";
};

} // namespace vexa
