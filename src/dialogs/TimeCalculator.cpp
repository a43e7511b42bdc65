#include "dialogs/TimeCalculator.h"

#include "core/NumberField.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr int TicksPerSecond = 50; // one tick is 20 ms
constexpr int MsPerTick = 20;
constexpr int BaseFactor = 8;

// Two digits with a leading zero below 10, appended to the text.
void AppendTwoDigits(std::string& text, int value) {
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
}

} // namespace

std::string DurationText(int timeValue, int base) {
    int ticks = std::clamp(timeValue, 0, HighestTimeValue);
    for (int b = std::clamp(base, 0, HighestTimeBase); b > 0; --b)
        ticks *= BaseFactor;
    const int restTicks = ticks % TicksPerSecond;
    const int seconds = ticks / TicksPerSecond;
    std::string text;
    AppendTwoDigits(text, seconds / 60);
    text += ':';
    AppendTwoDigits(text, seconds % 60);
    text += '.';
    AppendTwoDigits(text, restTicks * MsPerTick / 10);
    return text;
}

void TimeCalculator::open(const std::string& baseText, int timeValue) {
    base_ = ClampedFieldValue(baseText, 0, HighestTimeBase);
    timeValue_ = std::clamp(timeValue, 0, HighestTimeValue);
    openingBase_ = base_;
    openingTimeValue_ = timeValue_;
    showDurations();
}

void TimeCalculator::setTimeValue(int timeValue) {
    timeValue_ = std::clamp(timeValue, 0, HighestTimeValue);
    timeText_ = DurationText(timeValue_, base_);
}

void TimeCalculator::setBase(int base) {
    base_ = std::clamp(base, 0, HighestTimeBase);
    showDurations();
}

void TimeCalculator::cancel() {
    base_ = openingBase_;
    timeValue_ = openingTimeValue_;
    showDurations();
}

void TimeCalculator::showDurations() {
    maxTimeText_ = DurationText(HighestTimeValue, base_);
    timeText_ = DurationText(timeValue_, base_);
}

} // namespace vexa
