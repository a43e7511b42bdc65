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
        const double started = session.clock.steadySeconds();
        std::string line;
        passed = MonitorTick(session, line); // a failed poll has said why, once
        context.out << WithLineFeeds(line);
        context.out.flush();
        const int elapsedMs = static_cast<int>((session.clock.steadySeconds() - started) * 1000.0);
        passed = passed && PauseAlive(session, std::max(0, MonitorPollMs - elapsedMs));
    }
    StopMonitoring(session);
    return passed;
}

} // namespace vexa::cli
