#include "sim/AnswerSchedule.h"

#include <algorithm>

namespace vexa {

AnswerSchedule::Clock::time_point AnswerSchedule::requestByteArrives(Clock::time_point now,
                                                                     std::chrono::nanoseconds byteTime) {
    const Clock::time_point arrival = std::max(now, requestLineFree_) + byteTime;
    requestLineFree_ = arrival;
    return arrival;
}

void AnswerSchedule::add(const SimulatorAnswer& answer, Clock::time_point requestArrival,
                         std::chrono::nanoseconds byteTime) {
    // Answers go out one after the other: a late answer also holds back the ones behind it.
    Clock::time_point sent = std::max(requestArrival + answer.delay, answerLineFree_);
    const Clock::time_point end = sent + byteTime * static_cast<long>(answer.bytes.size());
    for (std::uint8_t byte : answer.bytes) {
        sent += byteTime;
        bytes_.push_back({sent, byte, end});
    }
    answerLineFree_ = sent;
}

int AnswerSchedule::dueCount(Clock::time_point now) const {
    const auto firstLater = std::find_if(bytes_.begin(), bytes_.end(), [now](const Timed& t) { return t.due > now; });
    return static_cast<int>(firstLater - bytes_.begin());
}

int AnswerSchedule::takeDue(Clock::time_point now) {
    if (bytes_.empty() || bytes_.front().due > now)
        return -1;
    const int byte = bytes_.front().byte;
    bytes_.pop_front();
    return byte;
}

std::optional<AnswerSchedule::Clock::time_point> AnswerSchedule::nextDue() const {
    if (bytes_.empty())
        return std::nullopt;
    return bytes_.front().due;
}

std::optional<AnswerSchedule::Clock::time_point> AnswerSchedule::nextAnswerEnd() const {
    if (bytes_.empty())
        return std::nullopt;
    return bytes_.front().answerEnd;
}

void AnswerSchedule::clear() {
    bytes_.clear();
    requestLineFree_ = answerLineFree_ = Clock::time_point{};
}

} // namespace vexa
