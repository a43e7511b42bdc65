#include "cli/TunnelCommands.h"

#include "cli/CliOptions.h"
#include "cli/VerificationOutput.h"
#include "core/OperationRunner.h"
#include "link/CorvanSetup.h"
#include "link/Monitor.h"

#include <algorithm>

namespace vexa::cli {

namespace {

constexpr int LongestMonitorSeconds = 24 * 3600;

// Milliseconds between two times of day; a wrap past midnight counts as no time.
int ElapsedMs(double from, double to) {
    return to < from ? 0 : static_cast<int>((to - from) * 1000.0);
}

} // namespace

bool RunTransparentMode(CliContext& context, const std::string&) {
    return ActivateTransparentMode(context.session);
}

bool RunMonitor(CliContext& context, const std::string& seconds) {
    int duration = 0;
    if (!ParseInteger(seconds, duration) || duration < 0 || duration > LongestMonitorSeconds) {
        context.session.tell("monitor: SECONDS must be a whole number from 0 to " +
                             std::to_string(LongestMonitorSeconds));
        return false;
    }
    Session& session = context.session;
    if (!StartMonitoring(session, false))
        return false;
    const int ticks = duration * 1000 / MonitorPollMs;
    bool passed = true;
    for (int tick = 0; tick < ticks && passed; ++tick) {
        const double started = session.clock.secondsOfDay();
        std::string line;
        passed = MonitorTick(session, line); // a failed poll has said why, once
        context.out << WithLineFeeds(line);
        context.out.flush();
        passed = passed &&
                 PauseAlive(session, std::max(0, MonitorPollMs - ElapsedMs(started, session.clock.secondsOfDay())));
    }
    StopMonitoring(session);
    return passed;
}

} // namespace vexa::cli
