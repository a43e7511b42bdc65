// How long a user waits on vexaconfig-cli where the link cannot go on, run as a user runs it:
// against vexa-sim on a pseudo-terminal. Each time is printed with its ratio to its target:
//   - "write-id" and "write-all" to a controller that does not answer: one answer time (2 s),
//     then the run stops instead of writing on one-way;
//   - "version" while the simulator goes away (killed) as soon as the port is open: the run ends
//     at once, not after the answer time;
//   - Ctrl+C 0.8 s into "read-all" on a 2400 bit/s line: the run ends after the exchange under
//     way; and "version" at once after it: the port was left clean;
//   - "scan" of a layout of three controllers.

#include "ProcessRunner.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using vexa::test::DeviceServerProcess;
using Seconds = std::chrono::duration<double>;

constexpr auto RunLimit = std::chrono::seconds(60);

double RunCli(const std::vector<std::string>& args, int expectedStatus, bool& passed) {
    const vexa::test::ProgramResult run = vexa::test::RunProgram(VEXA_CLI_PATH, args, RunLimit);
    if (run.status != expectedStatus) {
        std::fprintf(stderr, "vexaconfig-cli exited with %d, not %d: %s", run.status, expectedStatus, run.err.c_str());
        passed = false;
    }
    return run.seconds;
}

bool Report(const char* what, double seconds, double target) {
    const bool ok = seconds <= target;
    std::printf("%-58s %6.3f s (target %.1f s or less) ratio %.2f %s\n", what, seconds, target, seconds / target,
                ok ? "ok" : "MISSED");
    return ok;
}

} // namespace

int main() {
    bool passed = true; // every run ended as it should
    bool ok = true;     // and within its target
    std::printf("vexaconfig-cli against vexa-sim on a pseudo-terminal\n");

    {
        DeviceServerProcess silent(VEXA_SIM_PATH, {"--fault", "drop"});
        ok = Report("write-id, no answer", RunCli({"--port", silent.device(), "write-id", "Shed 2"}, 1, passed), 4.0) &&
             ok;
        ok = Report("write-all, no answer", RunCli({"--port", silent.device(), "write-all"}, 1, passed), 4.0) && ok;
    }

    {
        DeviceServerProcess late(VEXA_SIM_PATH, {"--fault", "late", "--late-ms", "5000"});
        std::thread killer([&late] {
            late.waitForClient();
            late.killNow();
        });
        const double seconds = RunCli({"--port", late.device(), "version", "read-id"}, 1, passed);
        killer.join();
        ok = Report("version, the port goes away during the answer wait", seconds, 1.9) && ok;
    }

    {
        DeviceServerProcess slow(VEXA_SIM_PATH, {"--pace", "2400"});
        vexa::test::ChildProcess backup(VEXA_CLI_PATH, {"--port", slow.device(), "read-all"},
                                        vexa::test::ErrorOutput::Captured);
        slow.waitForClient();
        std::this_thread::sleep_for(std::chrono::milliseconds(800)); // into "read-all"
        backup.interrupt();
        const auto interrupted = std::chrono::steady_clock::now();
        if (backup.waitExit(RunLimit) != 1) {
            std::fprintf(stderr, "read-all did not end with exit status 1 after Ctrl+C\n");
            passed = false;
        }
        ok = Report("read-all at 2400 bit/s, Ctrl+C to the end of the run",
                    Seconds(std::chrono::steady_clock::now() - interrupted).count(), 0.5) &&
             ok;
        ok = Report("version at once after it", RunCli({"--port", slow.device(), "version"}, 0, passed), 1.0) && ok;
    }

    {
        DeviceServerProcess layout(VEXA_SIM_PATH, {"--modules", "1,4,15"});
        ok = Report("scan, three controllers", RunCli({"--port", layout.device(), "scan"}, 0, passed), 5.0) && ok;
    }

    if (!passed)
        std::printf("a run did not end as it should (see above)\n");
    return ok && passed ? 0 : 1;
}
