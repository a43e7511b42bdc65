#include "core/Clock.h"

#include "core/Platform.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace vexa {

double SystemClock::secondsOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const double fraction =
        static_cast<double>(duration_cast<microseconds>(now.time_since_epoch()).count() % 1000000) / 1e6;
    std::tm local{};
    if (!LocalTime(seconds, local)) // no time zone known: the time of day in UTC still runs
        return static_cast<double>(seconds % 86400) + fraction;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

void SystemClock::pauseMs(int ms) {
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace vexa
