// "Write Changes" against "Write All": a full configuration (module settings, 32 pins with
// layout 3 and every step used) is written to the in-process simulated controller paced at
// 19200 bit/s and read back with "Read All"; then one step of one pin is edited and "Write
// Changes" runs. Its time is set against the time of "Write All" of the same configuration,
// with "Bidirectional Comm." on and off (off, every pin and event write is followed by 100 ms).

#include "BenchSupport.h"
#include "FullPins.h"

#include "batch/BatchOperations.h"
#include "batch/WriteChanges.h"
#include "sim/Simulator.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr int BitRate = 19200;
constexpr double TargetRatio = 0.05;

double Seconds(const std::function<bool()>& operation, bool& passed) {
    const auto start = std::chrono::steady_clock::now();
    passed = operation() && passed;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Edits the fade of one step of one pin: the change a modeller makes to one aspect of a signal.
void EditOneStep(vexa::ConfigurationImage& image, int pin) {
    vexa::AspectStep& step = image.pins[static_cast<std::size_t>(pin)].aspects[1].steps[3];
    step.fade = step.fade == 0 ? 1 : 0;
}

bool Report(const char* link, double changes, double all) {
    const double ratio = changes / all;
    std::printf("%s: Write Changes %.3f s, Write All %.3f s, ratio %.4f (target %.2f or less) %s\n", link, changes, all,
                ratio, TargetRatio, ratio <= TargetRatio ? "ok" : "MISSED");
    return ratio <= TargetRatio;
}

} // namespace

int main() {
    vexa::bench::BenchSession bench(false);
    vexa::Session& session = bench.session;
    auto simulator = vexa::bench::OpenSimulatedController(session);
    simulator->setPacing(BitRate);
    session.link.bidirectional = true;

    vexa::bench::FillPins(session.image);
    session.image.module.idString = "Bench";
    session.image.module.enforcedXAddress = false;
    session.image.enableMap = vexa::EnableMap{};
    bool passed = true;
    const double writeAllOn = Seconds([&session] { return vexa::WriteAll(session); }, passed);
    session.image = vexa::ConfigurationImage{};
    Seconds([&session] { return vexa::ReadAll(session); }, passed);
    if (!passed || !vexa::ItemsToWrite(session).empty()) {
        std::fprintf(stderr, "Write All and Read All did not leave the controller known: %s\n",
                     bench.prompter.last.c_str());
        return 1;
    }

    EditOneStep(session.image, 6);
    const double changesOn = Seconds([&session] { return vexa::WriteChanges(session); }, passed);

    session.link.bidirectional = false;
    EditOneStep(session.image, 8);
    const double changesOff = Seconds([&session] { return vexa::WriteChanges(session); }, passed);
    const double writeAllOff = Seconds([&session] { return vexa::WriteAll(session); }, passed);
    if (!passed) {
        std::fprintf(stderr, "a write failed: %s\n", bench.prompter.last.c_str());
        return 1;
    }

    std::printf("Write Changes after one step of one pin, against Write All: 32 pins, layout 3, %d bit/s\n", BitRate);
    const bool on = Report("Bidirectional Comm. on", changesOn, writeAllOn);
    const bool off = Report("Bidirectional Comm. off", changesOff, writeAllOff);
    return on && off ? 0 : 1;
}
