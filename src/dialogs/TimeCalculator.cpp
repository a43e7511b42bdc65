#include "dialogs/TimeCalculator.h"

#include "core/NumberField.h"
#include "pins/StepRules.h"

#include <algorithm>

namespace vexa {

namespace {

constexpr int BaseFactor = 8; // each step of the base multiplies the time value by 8

} // namespace

std::string DurationText(int timeValue, int base) {
    long ticks = std::clamp(timeValue, 0, HighestTimeValue);
    for (int b = std::clamp(base, 0, HighestTimeBase); b > 0; --b)
        ticks *= BaseFactor;
    return DurationText(ticks);
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
