#include "cli/TunnelCommands.h"

#include "cli/CliOptions.h"
#include "cli/VerificationOutput.h"
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
    for (int tick = 0; tick < ticks; ++tick) {
        const double started = session.clock.secondsOfDay();
        context.out << WithLineFeeds(MonitorPoll(session));
        context.out.flush();
        if (!session.port.isOpen())
            break; // the port failed and has said so
        session.clock.pauseMs(std::max(0, MonitorPollMs - ElapsedMs(started, session.clock.secondsOfDay())));
    }
    StopMonitoring(session);
    return session.port.isOpen();
}

} // namespace vexa::cli
